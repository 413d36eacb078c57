// Preloaded into a program under test (LD_PRELOAD): writes each system call that changes the
// files of one folder to a journal, once it has returned, so that a test can rebuild every state
// a kill or a power cut may leave (support/etats_panne.h). Optionally stops the program, as if
// it were slow, right after one of those calls until the test lets it go.
//
//   VELQUOR_JOURNAL=F   the journal; VELQUOR_RACINE=D the folder followed (its paths are written
//                       relative to it; calls on other files are left out)
//   VELQUOR_PAUSE=D     right after the VELQUOR_PAUSE_APRES-th such call: write a byte to the
//                       fifo D/pret, then wait for one on the fifo D/reprise
//
// Records, in the order the calls returned: a letter, then numbers (8 bytes) and texts (a
// number, then the bytes): C path ino (a file created), D path (a folder created), W ino pos
// bytes (written), T ino size (cut or extended), S ino (contents flushed), Y path (folder
// flushed), R from to (renamed), L from to (linked), U path (removed), X path (folder removed).
//
// Built without the sanitizers: it is loaded before their runtime.

#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <string>

namespace {

#define SUIVANTE(R, nom, params) \
  static auto f = reinterpret_cast<R(*) params>(dlsym(RTLD_NEXT, #nom))

pthread_mutex_t verrou = PTHREAD_MUTEX_INITIALIZER;
long appels = 0;

ssize_t EcrireBrut(int fd, const void* b, size_t n) {
  SUIVANTE(ssize_t, write, (int, const void*, size_t));
  return f(fd, b, n);
}

struct Enregistrement {
  std::string octets;
  explicit Enregistrement(char lettre) : octets(1, lettre) {}
  Enregistrement& operator<<(long long n) {
    octets.append(reinterpret_cast<const char*>(&n), 8);
    return *this;
  }
  Enregistrement& operator<<(const std::string& t) {
    *this << static_cast<long long>(t.size());
    octets += t;
    return *this;
  }
};

// Writes the record, then pauses if this is the call the test waits for.
void Noter(const Enregistrement& e) {
  static const char* chemin = getenv("VELQUOR_JOURNAL");
  static const int journal =
      chemin ? open(chemin, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
  pthread_mutex_lock(&verrou);
  if (journal >= 0) EcrireBrut(journal, e.octets.data(), e.octets.size());
  const long rang = ++appels;
  pthread_mutex_unlock(&verrou);
  static const char* pause = getenv("VELQUOR_PAUSE");
  static const char* texte = getenv("VELQUOR_PAUSE_APRES");
  if (pause && *pause && texte && rang == atol(texte)) {
    char c = 'p';
    int fd = open((std::string(pause) + "/pret").c_str(), O_WRONLY);
    EcrireBrut(fd, &c, 1);
    close(fd);
    fd = open((std::string(pause) + "/reprise").c_str(), O_RDONLY);
    while (read(fd, &c, 1) < 0) {
    }
    close(fd);
  }
}

// The path relative to the followed folder, or empty when it lies elsewhere.
std::string Relatif(int dossier, const char* chemin) {
  static const char* racine = getenv("VELQUOR_RACINE");
  if (!racine || !chemin) return {};
  char tampon[4096] = {};
  std::string absolu;
  if (chemin[0] == '/') {
  } else if (dossier == AT_FDCWD) {
    absolu = getcwd(tampon, sizeof tampon) ? tampon : "";
  } else if (readlink(("/proc/self/fd/" + std::to_string(dossier)).c_str(), tampon,
                      sizeof tampon - 1) > 0) {
    absolu = tampon;
  }
  absolu += "/" + std::string(chemin);
  std::string propre;  // without the "." parts and the doubled separators
  for (size_t debut = 0, fin; debut < absolu.size(); debut = fin + 1) {
    fin = absolu.find('/', debut);
    if (fin == std::string::npos) fin = absolu.size();
    const std::string partie = absolu.substr(debut, fin - debut);
    if (!partie.empty() && partie != ".") propre += "/" + partie;
  }
  const std::string prefixe = std::string(racine) + "/";
  if (propre == racine) return ".";
  return propre.rfind(prefixe, 0) == 0 ? propre.substr(prefixe.size()) : std::string();
}

std::string CheminDe(int fd) {
  char tampon[4096] = {};
  if (readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), tampon, sizeof tampon - 1) <= 0)
    return {};
  return Relatif(AT_FDCWD, tampon);
}

long long Ino(int fd, bool* fichier = nullptr) {
  struct stat s;
  if (fstat(fd, &s) != 0) return -1;
  if (fichier) *fichier = S_ISREG(s.st_mode);
  return static_cast<long long>(s.st_ino);
}

bool Existe(int dossier, const char* chemin, bool* estDossier = nullptr) {
  struct stat s;
  const bool existe = fstatat(dossier, chemin, &s, AT_SYMLINK_NOFOLLOW) == 0;
  if (estDossier) *estDossier = existe && S_ISDIR(s.st_mode);
  return existe;
}

void Ecrit(int fd, long long pos, const void* octets, ssize_t n) {
  bool fichier = false;
  const long long ino = Ino(fd, &fichier);
  if (n <= 0 || !fichier || CheminDe(fd).empty()) return;
  Noter(
      Enregistrement('W') << ino << pos
                          << std::string(static_cast<const char*>(octets), static_cast<size_t>(n)));
}

// After an open that may create or empty the file.
int Ouvert(int fd, int dossier, const char* chemin, int drapeaux, bool existait) {
  const std::string relatif = Relatif(dossier, chemin);
  if (fd < 0 || relatif.empty()) return fd;
  if (!existait && (drapeaux & O_CREAT)) Noter(Enregistrement('C') << relatif << Ino(fd));
  if (existait && (drapeaux & O_TRUNC)) Noter(Enregistrement('T') << Ino(fd) << 0LL);
  return fd;
}

void Nom(char lettre, int d1, const char* c1, int d2 = AT_FDCWD, const char* c2 = nullptr) {
  const std::string a = Relatif(d1, c1), b = c2 ? Relatif(d2, c2) : std::string();
  if (a.empty() && b.empty()) return;
  Enregistrement e(lettre);
  e << a;
  if (c2) e << b;
  Noter(e);
}

mode_t Mode(int drapeaux, va_list a) {
  return drapeaux & (O_CREAT | O_TMPFILE) ? va_arg(a, mode_t) : 0;
}

}  // namespace

#define OUVERTURE(nom, dossier, params, args)                              \
  int nom(DEPLIER params, ...) {                                           \
    SUIVANTE(int, nom, (DEPLIER params, ...));                             \
    va_list a;                                                             \
    va_start(a, d);                                                        \
    const mode_t m = Mode(d, a);                                           \
    va_end(a);                                                             \
    const bool existait = (d & (O_CREAT | O_TRUNC)) && Existe(dossier, p); \
    return Ouvert(f args, dossier, p, d, existait);                        \
  }
#define DEPLIER(...) __VA_ARGS__

extern "C" {

OUVERTURE(open, AT_FDCWD, (const char* p, int d), (p, d, m))
OUVERTURE(open64, AT_FDCWD, (const char* p, int d), (p, d, m))
OUVERTURE(openat, r, (int r, const char* p, int d), (r, p, d, m))

int creat(const char* p, mode_t m) {
  return open(p, O_WRONLY | O_CREAT | O_TRUNC, m);
}

FILE* fopen(const char* p, const char* mode) {
  SUIVANTE(FILE*, fopen, (const char*, const char*));
  const bool existait = Existe(AT_FDCWD, p);
  FILE* r = f(p, mode);
  if (r && mode[0] != 'r')
    Ouvert(fileno(r), AT_FDCWD, p, mode[0] == 'w' ? O_CREAT | O_TRUNC : O_CREAT, existait);
  return r;
}

ssize_t write(int fd, const void* b, size_t n) {
  const ssize_t r = EcrireBrut(fd, b, n);
  if (r > 0) Ecrit(fd, lseek(fd, 0, SEEK_CUR) - r, b, r);
  return r;
}

ssize_t writev(int fd, const struct iovec* v, int n) {
  SUIVANTE(ssize_t, writev, (int, const struct iovec*, int));
  const ssize_t r = f(fd, v, n);
  long long pos = lseek(fd, 0, SEEK_CUR) - r;
  for (ssize_t reste = r, i = 0; reste > 0 && i < n; ++i) {
    const ssize_t part = std::min<ssize_t>(reste, static_cast<ssize_t>(v[i].iov_len));
    Ecrit(fd, pos, v[i].iov_base, part);
    pos += part;
    reste -= part;
  }
  return r;
}

#define POSITIONNEE(nom, T)                                \
  ssize_t nom(int fd, const void* b, size_t n, T o) {      \
    SUIVANTE(ssize_t, nom, (int, const void*, size_t, T)); \
    const ssize_t r = f(fd, b, n, o);                      \
    Ecrit(fd, o, b, r);                                    \
    return r;                                              \
  }
POSITIONNEE(pwrite, off_t)
POSITIONNEE(pwrite64, off64_t)

#define TRONQUER(nom, T)                                                  \
  int nom(int fd, T n) {                                                  \
    SUIVANTE(int, nom, (int, T));                                         \
    const int r = f(fd, n);                                               \
    if (r == 0 && !CheminDe(fd).empty())                                  \
      Noter(Enregistrement('T') << Ino(fd) << static_cast<long long>(n)); \
    return r;                                                             \
  }
TRONQUER(ftruncate, off_t)
TRONQUER(ftruncate64, off64_t)

#define VIDER(nom)                                                                   \
  int nom(int fd) {                                                                  \
    SUIVANTE(int, nom, (int));                                                       \
    const int r = f(fd);                                                             \
    bool fichier = false;                                                            \
    const long long ino = Ino(fd, &fichier);                                         \
    const std::string chemin = CheminDe(fd);                                         \
    if (r == 0 && fichier && !chemin.empty()) Noter(Enregistrement('S') << ino);     \
    if (r == 0 && !fichier && !chemin.empty()) Noter(Enregistrement('Y') << chemin); \
    return r;                                                                        \
  }
VIDER(fsync)
VIDER(fdatasync)

int renameat2(int ra, const char* a, int rb, const char* b, unsigned d) {
  SUIVANTE(int, renameat2, (int, const char*, int, const char*, unsigned));
  const int r = f(ra, a, rb, b, d);
  if (r == 0) Nom('R', ra, a, rb, b);
  return r;
}
int renameat(int ra, const char* a, int rb, const char* b) {
  SUIVANTE(int, renameat, (int, const char*, int, const char*));
  const int r = f(ra, a, rb, b);
  if (r == 0) Nom('R', ra, a, rb, b);
  return r;
}
int rename(const char* a, const char* b) {
  return renameat(AT_FDCWD, a, AT_FDCWD, b);
}
int linkat(int ra, const char* a, int rb, const char* b, int d) {
  SUIVANTE(int, linkat, (int, const char*, int, const char*, int));
  const int r = f(ra, a, rb, b, d);
  if (r == 0) Nom('L', ra, a, rb, b);
  return r;
}
int link(const char* a, const char* b) {
  return linkat(AT_FDCWD, a, AT_FDCWD, b, 0);
}
int unlinkat(int r, const char* p, int d) {
  SUIVANTE(int, unlinkat, (int, const char*, int));
  const int res = f(r, p, d);
  if (res == 0) Nom(d & AT_REMOVEDIR ? 'X' : 'U', r, p);
  return res;
}
int unlink(const char* p) {
  return unlinkat(AT_FDCWD, p, 0);
}
int rmdir(const char* p) {
  return unlinkat(AT_FDCWD, p, AT_REMOVEDIR);
}
int remove(const char* p) {
  bool dossier = false;
  return Existe(AT_FDCWD, p, &dossier) && dossier ? rmdir(p) : unlink(p);
}
int mkdirat(int r, const char* p, mode_t m) {
  SUIVANTE(int, mkdirat, (int, const char*, mode_t));
  const int res = f(r, p, m);
  if (res == 0) Nom('D', r, p);
  return res;
}
int mkdir(const char* p, mode_t m) {
  return mkdirat(AT_FDCWD, p, m);
}

}  // extern "C"
