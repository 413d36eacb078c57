// Preloaded into a program under test (LD_PRELOAD): counts the system calls that change files
// (writes to regular files, truncations, creations, renames, links, removals, new directories)
// and kills the process with SIGKILL right after the N-th of them, as a crash or a kill -9 would
// stop it there. Nothing is flushed and no destructor runs: what the files hold is what the
// kernel was given up to that call.
//
//   VELQUOR_ARRET_APRES=N     kill right after the N-th file-changing call (N >= 1)
//   VELQUOR_COMPTE_APPELS=F   at a normal exit, write the number of such calls made to file F
//
// Built without the sanitizers: it is loaded before their runtime.

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

long compte = 0;
bool fini = false;  // the report at exit is not one of the program's calls

// One more file-changing call has just been made.
void Compter() {
  static const char* texte = getenv("VELQUOR_ARRET_APRES");
  static const long arretApres = texte && *texte ? strtol(texte, nullptr, 10) : -1;
  if (fini) return;
  if (++compte >= arretApres && arretApres > 0) raise(SIGKILL);
}

bool FichierOrdinaire(int fd) {
  struct stat s;
  return fstat(fd, &s) == 0 && S_ISREG(s.st_mode);
}

// Counts the call when it succeeded; keeps errno as the call left it.
template <class R>
R Apres(R resultat, bool compter) {
  if (compter && resultat >= 0) {
    const int e = errno;
    Compter();
    errno = e;
  }
  return resultat;
}

struct Rapport {
  ~Rapport() {
    fini = true;
    const char* chemin = getenv("VELQUOR_COMPTE_APPELS");
    if (!chemin || !*chemin) return;
    if (FILE* f = fopen(chemin, "w")) {
      fprintf(f, "%ld\n", compte);
      fclose(f);
    }
  }
} rapport;

// The mode of an open that creates a file.
mode_t Mode(int drapeaux, va_list a) {
  return drapeaux & (O_CREAT | O_TMPFILE) ? va_arg(a, mode_t) : 0;
}

}  // namespace

// The next definition of the call, and the call made through it, counted when `compter` holds.
#define SUIVANTE(R, nom, params) \
  static auto f = reinterpret_cast<R(*) params>(dlsym(RTLD_NEXT, #nom))
#define RELAIS(R, nom, params, args, compter) \
  R nom params {                              \
    SUIVANTE(R, nom, params);                 \
    return Apres(f args, compter);            \
  }
#define DEPLIER(...) __VA_ARGS__
#define OUVERTURE(nom, params, args)                      \
  int nom(DEPLIER params, ...) {                          \
    SUIVANTE(int, nom, (DEPLIER params, ...));            \
    va_list a;                                            \
    va_start(a, d);                                       \
    const mode_t m = Mode(d, a);                          \
    va_end(a);                                            \
    return Apres(f args, (d & (O_CREAT | O_TRUNC)) != 0); \
  }

extern "C" {

RELAIS(ssize_t, write, (int fd, const void* b, size_t n), (fd, b, n), FichierOrdinaire(fd))
RELAIS(ssize_t, writev, (int fd, const struct iovec* v, int n), (fd, v, n), FichierOrdinaire(fd))
RELAIS(ssize_t, pwrite, (int fd, const void* b, size_t n, off_t o), (fd, b, n, o), true)
RELAIS(ssize_t, pwrite64, (int fd, const void* b, size_t n, off64_t o), (fd, b, n, o), true)
RELAIS(int, ftruncate, (int fd, off_t n), (fd, n), true)
RELAIS(int, ftruncate64, (int fd, off64_t n), (fd, n), true)
RELAIS(int, truncate, (const char* p, off_t n), (p, n), true)
RELAIS(int, creat, (const char* p, mode_t m), (p, m), true)
RELAIS(int, rename, (const char* a, const char* b), (a, b), true)
RELAIS(int, renameat, (int ra, const char* a, int rb, const char* b), (ra, a, rb, b), true)
RELAIS(int, renameat2, (int ra, const char* a, int rb, const char* b, unsigned d),
       (ra, a, rb, b, d), true)
RELAIS(int, link, (const char* a, const char* b), (a, b), true)
RELAIS(int, linkat, (int ra, const char* a, int rb, const char* b, int d), (ra, a, rb, b, d), true)
RELAIS(int, unlink, (const char* p), (p), true)
RELAIS(int, unlinkat, (int r, const char* p, int d), (r, p, d), true)
RELAIS(int, remove, (const char* p), (p), true)
RELAIS(int, mkdir, (const char* p, mode_t m), (p, m), true)
RELAIS(int, mkdirat, (int r, const char* p, mode_t m), (r, p, m), true)
RELAIS(int, rmdir, (const char* p), (p), true)
OUVERTURE(open, (const char* p, int d), (p, d, m))
OUVERTURE(open64, (const char* p, int d), (p, d, m))
OUVERTURE(openat, (int r, const char* p, int d), (r, p, d, m))

FILE* fopen(const char* p, const char* mode) {
  SUIVANTE(FILE*, fopen, (const char*, const char*));
  FILE* r = f(p, mode);
  if (r && mode[0] != 'r') Compter();
  return r;
}

}  // extern "C"
