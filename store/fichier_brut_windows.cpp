// SPDX-License-Identifier: GPL-3.0-or-later
// The file calls on Windows: the wide calls (paths turned from UTF-8 into UTF-16 here), positioned
// ReadFile/WriteFile, LockFileEx, MoveFileExW.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cwchar>

#include "store/systeme_fichiers.h"

namespace velquor::systeme {

namespace {

HANDLE H(Poignee p) {
  return reinterpret_cast<HANDLE>(p);
}

// Locks stand on one byte far beyond the end of any real file: a byte-range lock on Windows
// forbids the other handles to read and write what it covers, and these must stop nobody.
constexpr DWORD VerrouOffsetBas = 0;
constexpr DWORD VerrouOffsetHaut = 0xFFFFFFFF;

// File times count 100 ns from 1601; ours count nanoseconds from 1970.
constexpr long long Ecart1601 = 116444736000000000LL;

long long VersNanosecondes(const FILETIME& temps) {
  const long long unites = static_cast<long long>(
      (static_cast<unsigned long long>(temps.dwHighDateTime) << 32) | temps.dwLowDateTime);
  return (unites - Ecart1601) * 100;
}

OVERLAPPED A(std::int64_t offset) {
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFu);
  position.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
  return position;
}

constexpr std::size_t MorceauMax = 1u << 30;  // ReadFile and WriteFile count in 32 bits

// UTF-8 into UTF-16 and back, for every path that crosses the system's calls. Text that is not
// UTF-8 gives an empty name, which every call refuses: it never reaches some other file.
std::wstring Large(const std::string& texte) {
  if (texte.empty() || texte.size() > 0x7FFFFFFF) return {};
  const int taille = static_cast<int>(texte.size());
  const int n =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, texte.data(), taille, nullptr, 0);
  if (n <= 0) return {};
  std::wstring large(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, texte.data(), taille, large.data(), n);
  return large;
}

std::string Utf8(const wchar_t* texte, std::size_t longueur) {
  if (longueur == 0 || longueur > 0x7FFFFFFF) return {};
  const int taille = static_cast<int>(longueur);
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, texte, taille, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string etroit(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, texte, taille, etroit.data(), n, nullptr, nullptr);
  return etroit;
}

}  // namespace

Poignee Ouvrir(const std::string& chemin, Mode mode, bool* absent) {
  DWORD acces = GENERIC_READ | GENERIC_WRITE;
  DWORD disposition = OPEN_EXISTING;
  switch (mode) {
    case Mode::Lecture:
      acces = GENERIC_READ;
      break;
    case Mode::LectureEcriture:
      break;
    case Mode::CreerOuVider:
      disposition = CREATE_ALWAYS;
      break;
    case Mode::CreerExclusif:
      disposition = CREATE_NEW;
      break;
  }
  HANDLE h = ::CreateFileW(Large(chemin).c_str(), acces,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD erreur = ::GetLastError();
    if (absent != nullptr)
      *absent = erreur == ERROR_FILE_NOT_FOUND || erreur == ERROR_PATH_NOT_FOUND;
    return Aucune;
  }
  if (absent != nullptr) *absent = false;
  return reinterpret_cast<Poignee>(h);
}

void Fermer(Poignee p) {
  if (p != Aucune) ::CloseHandle(H(p));
}

bool EstFichierOrdinaire(Poignee p) {
  BY_HANDLE_FILE_INFORMATION info;
  return p != Aucune && ::GetFileType(H(p)) == FILE_TYPE_DISK &&
         ::GetFileInformationByHandle(H(p), &info) &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::int64_t LireA(Poignee p, std::int64_t offset, void* destination, std::size_t n) {
  auto* octets = static_cast<unsigned char*>(destination);
  std::size_t lus = 0;
  while (lus < n) {
    OVERLAPPED position = A(offset + static_cast<std::int64_t>(lus));
    DWORD r = 0;
    const DWORD demande = static_cast<DWORD>(std::min(n - lus, MorceauMax));
    if (!::ReadFile(H(p), octets + lus, demande, &r, &position)) {
      if (::GetLastError() == ERROR_HANDLE_EOF) break;
      return -1;
    }
    if (r == 0) break;
    lus += r;
  }
  return static_cast<std::int64_t>(lus);
}

std::int64_t EcrireA(Poignee p, std::int64_t offset, const void* source, std::size_t n) {
  const auto* octets = static_cast<const unsigned char*>(source);
  std::size_t ecrits = 0;
  while (ecrits < n) {
    OVERLAPPED position = A(offset + static_cast<std::int64_t>(ecrits));
    DWORD r = 0;
    const DWORD demande = static_cast<DWORD>(std::min(n - ecrits, MorceauMax));
    if (!::WriteFile(H(p), octets + ecrits, demande, &r, &position) || r == 0)
      return ecrits == 0 ? -1 : static_cast<std::int64_t>(ecrits);
    ecrits += r;
  }
  return static_cast<std::int64_t>(ecrits);
}

bool Vider(Poignee p) {
  return ::FlushFileBuffers(H(p)) != 0;
}

void LancerEcriture(Poignee, std::int64_t, std::int64_t) {}

bool Tronquer(Poignee p, std::int64_t taille) {
  FILE_END_OF_FILE_INFO fin{};
  fin.EndOfFile.QuadPart = taille;
  return ::SetFileInformationByHandle(H(p), FileEndOfFileInfo, &fin, sizeof fin) != 0;
}

bool TailleEtDate(Poignee p, std::int64_t& taille, long long& modification) {
  BY_HANDLE_FILE_INFORMATION info;
  if (p == Aucune || !::GetFileInformationByHandle(H(p), &info)) return false;
  taille = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) |
                                     info.nFileSizeLow);
  modification = VersNanosecondes(info.ftLastWriteTime);
  return true;
}

bool FixerDate(Poignee p, long long modification) {
  // Rounded up to the 100 ns the file system keeps, so that a later time stays later.
  const long long unites = (modification + 99) / 100 + Ecart1601;
  FILETIME temps;
  temps.dwLowDateTime = static_cast<DWORD>(static_cast<unsigned long long>(unites) & 0xFFFFFFFFu);
  temps.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(unites) >> 32);
  return ::SetFileTime(H(p), nullptr, nullptr, &temps) != 0;
}

long long Maintenant() {
  FILETIME temps;
  ::GetSystemTimePreciseAsFileTime(&temps);
  return VersNanosecondes(temps);
}

bool Identite(Poignee p, unsigned long long& volume, unsigned long long& numero) {
  BY_HANDLE_FILE_INFORMATION info;
  if (p == Aucune || !::GetFileInformationByHandle(H(p), &info)) return false;
  volume = info.dwVolumeSerialNumber;
  numero = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

bool IdentiteChemin(const std::string& chemin, unsigned long long& volume,
                    unsigned long long& numero) {
  // No access asked: only the identity is read, and nobody's sharing is disturbed.
  HANDLE h = ::CreateFileW(Large(chemin).c_str(), 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = Identite(reinterpret_cast<Poignee>(h), volume, numero);
  ::CloseHandle(h);
  return ok;
}

Verrou Verrouiller(Poignee p, bool exclusif, bool attendre) {
  OVERLAPPED position{};
  position.Offset = VerrouOffsetBas;
  position.OffsetHigh = VerrouOffsetHaut;
  const DWORD drapeaux =
      (exclusif ? LOCKFILE_EXCLUSIVE_LOCK : 0) | (attendre ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
  if (::LockFileEx(H(p), drapeaux, 0, 1, 0, &position)) return Verrou::Obtenu;
  const DWORD erreur = ::GetLastError();
  return erreur == ERROR_LOCK_VIOLATION || erreur == ERROR_IO_PENDING ? Verrou::Occupe
                                                                      : Verrou::Erreur;
}

void Deverrouiller(Poignee p) {
  OVERLAPPED position{};
  position.Offset = VerrouOffsetBas;
  position.OffsetHigh = VerrouOffsetHaut;
  ::UnlockFileEx(H(p), 0, 1, 0, &position);
}

// No mapping here: a view keeps its file from being cut (SetEndOfFile fails while any view is
// there), and undoing a write cuts the data file back while the lot still reads it.
const unsigned char* Projeter(Poignee, std::int64_t) {
  return nullptr;
}

void Deprojeter(const unsigned char*, std::size_t) {}

bool Existe(const std::string& chemin) {
  return ::GetFileAttributesW(Large(chemin).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool EstDossier(const std::string& chemin) {
  const DWORD attributs = ::GetFileAttributesW(Large(chemin).c_str());
  return attributs != INVALID_FILE_ATTRIBUTES && (attributs & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Supprimer(const std::string& chemin) {
  return ::DeleteFileW(Large(chemin).c_str()) != 0;
}

bool SupprimerDossier(const std::string& chemin) {
  return ::RemoveDirectoryW(Large(chemin).c_str()) != 0;
}

bool Renommer(const std::string& de, const std::string& vers) {
  return ::MoveFileExW(Large(de).c_str(), Large(vers).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Lier(const std::string& existant, const std::string& nouveau) {
  return ::CreateHardLinkW(Large(nouveau).c_str(), Large(existant).c_str(), nullptr) != 0;
}

// A folder's entries cannot be flushed through a handle here: the calls that change them do it
// (MoveFileExW with MOVEFILE_WRITE_THROUGH), and the file system journals them.
bool SynchroniserDossier(const std::string& dossier) {
  return EstDossier(dossier);
}

std::string CheminAbsolu(const std::string& chemin) {
  const std::wstring large = Large(chemin);
  std::wstring tampon(MAX_PATH, L'\0');
  for (int essai = 0; essai < 2 && !large.empty(); ++essai) {
    const DWORD n = ::GetFullPathNameW(large.c_str(), static_cast<DWORD>(tampon.size()),
                                       tampon.data(), nullptr);
    if (n == 0) break;
    if (n < tampon.size()) return Utf8(tampon.data(), n);
    tampon.assign(n, L'\0');  // n counts the terminator when the buffer was too small
  }
  return chemin;
}

bool ChangerDossier(const std::string& chemin) {
  return ::SetCurrentDirectoryW(Large(chemin).c_str()) != 0;
}

unsigned long NumeroProcessus() {
  return ::GetCurrentProcessId();
}

// A folder cannot be locked through a handle here: the lock is a named mutex of the session,
// named after the folder's full path (the names are not case-sensitive, nor is the path). The
// system gives it up when its holder ends, as it does a file's lock.
Poignee VerrouillerDossier(const std::string& dossier) {
  if (!EstDossier(dossier)) return Aucune;
  std::string chemin = CheminAbsolu(dossier);
  while (!chemin.empty() && (chemin.back() == '\\' || chemin.back() == '/'))
    chemin.pop_back();
  unsigned long long empreinte = 14695981039346656037ULL;  // FNV-1a
  for (char c : chemin) {
    unsigned char octet = static_cast<unsigned char>(c == '/' ? '\\' : c);
    if (octet < 0x80) octet = static_cast<unsigned char>(std::toupper(octet));
    empreinte = (empreinte ^ octet) * 1099511628211ULL;
  }
  char nom[64];
  std::snprintf(nom, sizeof nom, "Local\\velquor-dossier-%016llx", empreinte);
  HANDLE mutex = ::CreateMutexA(nullptr, FALSE, nom);
  if (mutex == nullptr) return Aucune;
  const DWORD attente = ::WaitForSingleObject(mutex, INFINITE);
  if (attente != WAIT_OBJECT_0 && attente != WAIT_ABANDONED) {
    ::CloseHandle(mutex);
    return Aucune;
  }
  if (!EstDossier(dossier)) {  // removed by the holder we waited for
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
    return Aucune;
  }
  return reinterpret_cast<Poignee>(mutex);
}

void LibererDossier(Poignee verrou) {
  if (verrou == Aucune) return;
  ::ReleaseMutex(H(verrou));
  ::CloseHandle(H(verrou));
}

void ConsoleEnUtf8() {
  ::SetConsoleOutputCP(CP_UTF8);
}

std::filesystem::path CheminNatif(const std::string& chemin) {
  return std::filesystem::path(Large(chemin));
}

std::vector<std::string> ArgumentsDuProgramme(int argc, char** argv) {
  int n = 0;
  LPWSTR* larges = ::CommandLineToArgvW(::GetCommandLineW(), &n);
  if (larges == nullptr) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
  }
  std::vector<std::string> arguments;
  for (int i = 1; i < n; ++i)
    arguments.push_back(Utf8(larges[i], std::wcslen(larges[i])));
  ::LocalFree(larges);
  return arguments;
}

}  // namespace velquor::systeme
