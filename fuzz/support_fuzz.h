// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every harness shares: its own working directory, the files of one input, a reader of the
// input's bytes, and the checks that stop the run on a finding.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velquor::fuzz {

// Makes a fresh directory of this process's own the current one, the first time only (it is
// removed at exit). The store works in the current directory. VELQUOR_FUZZ_DOSSIER names the
// parent; by default /dev/shm when it exists, else the system's temporary directory.
void EntrerDossierFuzz();

// Removes everything the previous input left in the current directory.
void ViderDossier();

// Replaces a file of the current directory by these bytes.
void EcrireFichier(std::string_view nom, const std::uint8_t* octets, std::size_t n);

// Reports a finding and aborts (libFuzzer then saves the input; the replay fails).
[[noreturn]] void Echec(const char* fichier, int ligne, const char* condition, const char* quoi);

// The input read front to back; past its end every read gives zeros.
class Flux {
 public:
  Flux(const std::uint8_t* octets, std::size_t n) : p_(octets), reste_(n) {}
  bool Vide() const { return reste_ == 0; }
  std::size_t Reste() const { return reste_; }
  std::uint8_t Octet() {
    if (reste_ == 0) return 0;
    --reste_;
    return *p_++;
  }
  std::uint16_t Mot16() {
    const std::uint16_t bas = Octet();
    return static_cast<std::uint16_t>(bas | Octet() << 8);
  }
  // Up to n bytes (fewer at the end); *pris tells how many.
  const std::uint8_t* Octets(std::size_t n, std::size_t* pris) {
    *pris = n < reste_ ? n : reste_;
    const std::uint8_t* debut = p_;
    p_ += *pris;
    reste_ -= *pris;
    return debut;
  }
  std::string_view Texte(std::size_t n) {
    std::size_t pris;
    const std::uint8_t* debut = Octets(n, &pris);
    return {reinterpret_cast<const char*>(debut), pris};
  }

 private:
  const std::uint8_t* p_;
  std::size_t reste_;
};

}  // namespace velquor::fuzz

// A property every input must keep.
#define FUZZ_EXIGER(condition, quoi)                                                  \
  do {                                                                                \
    if (!(condition)) ::velquor::fuzz::Echec(__FILE__, __LINE__, #condition, (quoi)); \
  } while (0)
