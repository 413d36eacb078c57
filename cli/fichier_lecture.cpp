#include "cli/fichier_lecture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velquor::outils {

FichierLecture::~FichierLecture() {
  if (fd_ >= 0) ::close(fd_);
}

bool FichierLecture::Ouvrir(const std::string& chemin) {
  if (fd_ >= 0) return false;
  fd_ = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat etat;
  if (::fstat(fd_, &etat) != 0 || !S_ISREG(etat.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    return false;
  }
  taille_ = etat.st_size;
  return true;
}

bool FichierLecture::LireA(std::int64_t offset, void* destination, std::size_t n) const {
  if (fd_ < 0 || offset < 0) return false;
  auto* octets = static_cast<unsigned char*>(destination);
  std::size_t lus = 0;
  while (lus < n) {
    ssize_t r = ::pread(fd_, octets + lus, n - lus, static_cast<off_t>(offset + lus));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    lus += static_cast<std::size_t>(r);
  }
  return true;
}

}  // namespace velquor::outils
