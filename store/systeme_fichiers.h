// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's own file calls, one implementation per platform (fichier_brut_posix.cpp,
// fichier_brut_windows.cpp), under the file layer and the pair replacement. Nothing here goes
// through the test seam of pannes_fichiers.h: FichierBrut adds it on top.
//
// Paths are UTF-8 text (on POSIX, bytes given as they are): on Windows they are turned into
// UTF-16 for the wide calls, in fichier_brut_windows.cpp and nowhere else, so that every name the
// file system can hold is reached, whatever the ANSI code page. Relative paths are taken from the
// current directory.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velquor::systeme {

// A file descriptor on POSIX, a HANDLE on Windows; Aucune when nothing is open.
using Poignee = std::intptr_t;
inline constexpr Poignee Aucune = -1;

// What ends a folder's name in a path.
#ifdef _WIN32
inline constexpr const char* SeparateursChemin = "/\\";
#else
inline constexpr const char* SeparateursChemin = "/";
#endif

enum class Mode {
  Lecture,          // an existing file, read only
  LectureEcriture,  // an existing file
  CreerOuVider,     // created when absent, emptied when present
  CreerExclusif,    // created; refused when the name exists
};

// Opened with every other opener allowed to read, write, rename and remove it at the same time.
// Aucune on failure; absent (when given) then says whether the name was not there.
Poignee Ouvrir(const std::string& chemin, Mode mode, bool* absent = nullptr);
void Fermer(Poignee p);
// Whether the handle is an ordinary file (not a folder, a device or a pipe).
bool EstFichierOrdinaire(Poignee p);

// Bytes read at offset (fewer at the end of the file), -1 on failure.
std::int64_t LireA(Poignee p, std::int64_t offset, void* destination, std::size_t n);
// Bytes written at offset before a failure stopped it (n when all went), -1 when none.
std::int64_t EcrireA(Poignee p, std::int64_t offset, const void* source, std::size_t n);
// The contents and the size to the disk.
bool Vider(Poignee p);
// Starts sending that range to the disk without waiting for it (a hint: Vider still has to be
// called); nothing where the system has no such call.
void LancerEcriture(Poignee p, std::int64_t offset, std::int64_t taille);
bool Tronquer(Poignee p, std::int64_t taille);
// Size, and time of last change in nanoseconds.
bool TailleEtDate(Poignee p, std::int64_t& taille, long long& modification);
// Sets the time of last change, rounded up to what the file system keeps.
bool FixerDate(Poignee p, long long modification);
// Whether a write by any process changes the time of last change at once (POSIX). On Windows
// NTFS may put it off, so the time tells nothing there.
#ifdef _WIN32
inline constexpr bool DatesSuiventLesEcritures = false;
#else
inline constexpr bool DatesSuiventLesEcritures = true;
#endif
long long Maintenant();  // nanoseconds, the clock of the file times
// The volume and file numbers that tell the same file behind two handles or names.
bool Identite(Poignee p, unsigned long long& volume, unsigned long long& numero);
bool IdentiteChemin(const std::string& chemin, unsigned long long& volume,
                    unsigned long long& numero);

// Advisory locks held by a handle until it lets go or is closed, the process ending included.
// They never stop a read or a write of the file itself.
enum class Verrou { Obtenu, Occupe, Erreur };
Verrou Verrouiller(Poignee p, bool exclusif, bool attendre);
void Deverrouiller(Poignee p);

// A read-only view of the first taille bytes; nullptr when there is none (reads then go
// through LireA).
const unsigned char* Projeter(Poignee p, std::int64_t taille);
void Deprojeter(const unsigned char* projection, std::size_t taille);

// Whether the name exists (a link is not followed).
bool Existe(const std::string& chemin);
bool EstDossier(const std::string& chemin);
bool Supprimer(const std::string& chemin);
// Removes a folder, only when it is empty.
bool SupprimerDossier(const std::string& chemin);
// Renames over the target when there is one, in one step; on the disk when it returns.
bool Renommer(const std::string& de, const std::string& vers);
// A second name for an existing file (a hard link), never a copy.
bool Lier(const std::string& existant, const std::string& nouveau);
// Flushes the folder's entries (creations, removals, renames) to the disk.
bool SynchroniserDossier(const std::string& dossier);
std::string CheminAbsolu(const std::string& chemin);
bool ChangerDossier(const std::string& chemin);
unsigned long NumeroProcessus();
// Makes the console show the UTF-8 that the companion writes (Windows); nothing elsewhere.
void ConsoleEnUtf8();
// A path for the standard library's streams and folders. On Windows the library reads a narrow
// path in the ANSI code page, which cannot hold every name: it is given the UTF-16 one.
std::filesystem::path CheminNatif(const std::string& chemin);
// The program's arguments after its name, in UTF-8. On Windows they are taken from the wide
// command line: argv there holds each one as the ANSI code page can approach it.
std::vector<std::string> ArgumentsDuProgramme(int argc, char** argv);

// An exclusive lock on a folder for the whole machine, waited for; Aucune when the folder is
// not there (or was removed while waiting). Let go by LibererDossier or at the process's end.
Poignee VerrouillerDossier(const std::string& dossier);
void LibererDossier(Poignee verrou);

}  // namespace velquor::systeme
