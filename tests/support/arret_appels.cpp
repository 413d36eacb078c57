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
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

long compte = 0;
long arretApres = -2;  // -2: not read yet; -1: never
bool fini = false;     // the report at exit is not one of the program's calls

long ArretApres() {
  if (arretApres == -2) {
    const char* texte = getenv("VELQUOR_ARRET_APRES");
    arretApres = texte && *texte ? strtol(texte, nullptr, 10) : -1;
  }
  return arretApres;
}

// One more file-changing call has just been made.
void Compter() {
  if (fini) return;
  ++compte;
  if (ArretApres() > 0 && compte >= arretApres) raise(SIGKILL);
}

bool FichierOrdinaire(int fd) {
  struct stat s;
  return fstat(fd, &s) == 0 && S_ISREG(s.st_mode);
}

template <class F>
F Suivante(const char* nom) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, nom));
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

bool Cree(int drapeaux) {
  return (drapeaux & (O_CREAT | O_TRUNC)) != 0;
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* b, size_t n) {
  static auto f = Suivante<ssize_t (*)(int, const void*, size_t)>("write");
  const bool c = FichierOrdinaire(fd);
  return Apres(f(fd, b, n), c);
}

ssize_t writev(int fd, const struct iovec* v, int n) {
  static auto f = Suivante<ssize_t (*)(int, const struct iovec*, int)>("writev");
  const bool c = FichierOrdinaire(fd);
  return Apres(f(fd, v, n), c);
}

ssize_t pwrite(int fd, const void* b, size_t n, off_t o) {
  static auto f = Suivante<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
  return Apres(f(fd, b, n, o), true);
}

ssize_t pwrite64(int fd, const void* b, size_t n, off64_t o) {
  static auto f = Suivante<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
  return Apres(f(fd, b, n, o), true);
}

int ftruncate(int fd, off_t n) {
  static auto f = Suivante<int (*)(int, off_t)>("ftruncate");
  return Apres(f(fd, n), true);
}

int ftruncate64(int fd, off64_t n) {
  static auto f = Suivante<int (*)(int, off64_t)>("ftruncate64");
  return Apres(f(fd, n), true);
}

int truncate(const char* p, off_t n) {
  static auto f = Suivante<int (*)(const char*, off_t)>("truncate");
  return Apres(f(p, n), true);
}

int open(const char* p, int d, ...) {
  static auto f = Suivante<int (*)(const char*, int, ...)>("open");
  mode_t m = 0;
  if (d & (O_CREAT | O_TMPFILE)) {
    va_list a;
    va_start(a, d);
    m = va_arg(a, mode_t);
    va_end(a);
  }
  return Apres(f(p, d, m), Cree(d));
}

int open64(const char* p, int d, ...) {
  static auto f = Suivante<int (*)(const char*, int, ...)>("open64");
  mode_t m = 0;
  if (d & (O_CREAT | O_TMPFILE)) {
    va_list a;
    va_start(a, d);
    m = va_arg(a, mode_t);
    va_end(a);
  }
  return Apres(f(p, d, m), Cree(d));
}

int openat(int r, const char* p, int d, ...) {
  static auto f = Suivante<int (*)(int, const char*, int, ...)>("openat");
  mode_t m = 0;
  if (d & (O_CREAT | O_TMPFILE)) {
    va_list a;
    va_start(a, d);
    m = va_arg(a, mode_t);
    va_end(a);
  }
  return Apres(f(r, p, d, m), Cree(d));
}

int creat(const char* p, mode_t m) {
  static auto f = Suivante<int (*)(const char*, mode_t)>("creat");
  return Apres(f(p, m), true);
}

FILE* fopen(const char* p, const char* mode) {
  static auto f = Suivante<FILE* (*)(const char*, const char*)>("fopen");
  FILE* r = f(p, mode);
  if (r && mode[0] != 'r') Compter();
  return r;
}

int rename(const char* a, const char* b) {
  static auto f = Suivante<int (*)(const char*, const char*)>("rename");
  return Apres(f(a, b), true);
}

int renameat(int ra, const char* a, int rb, const char* b) {
  static auto f = Suivante<int (*)(int, const char*, int, const char*)>("renameat");
  return Apres(f(ra, a, rb, b), true);
}

int renameat2(int ra, const char* a, int rb, const char* b, unsigned d) {
  static auto f = Suivante<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
  return Apres(f(ra, a, rb, b, d), true);
}

int link(const char* a, const char* b) {
  static auto f = Suivante<int (*)(const char*, const char*)>("link");
  return Apres(f(a, b), true);
}

int linkat(int ra, const char* a, int rb, const char* b, int d) {
  static auto f = Suivante<int (*)(int, const char*, int, const char*, int)>("linkat");
  return Apres(f(ra, a, rb, b, d), true);
}

int unlink(const char* p) {
  static auto f = Suivante<int (*)(const char*)>("unlink");
  return Apres(f(p), true);
}

int unlinkat(int r, const char* p, int d) {
  static auto f = Suivante<int (*)(int, const char*, int)>("unlinkat");
  return Apres(f(r, p, d), true);
}

int remove(const char* p) {
  static auto f = Suivante<int (*)(const char*)>("remove");
  return Apres(f(p), true);
}

int mkdir(const char* p, mode_t m) {
  static auto f = Suivante<int (*)(const char*, mode_t)>("mkdir");
  return Apres(f(p, m), true);
}

int mkdirat(int r, const char* p, mode_t m) {
  static auto f = Suivante<int (*)(int, const char*, mode_t)>("mkdirat");
  return Apres(f(r, p, m), true);
}

int rmdir(const char* p) {
  static auto f = Suivante<int (*)(const char*)>("rmdir");
  return Apres(f(p), true);
}

}  // extern "C"
