// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every test works in a fresh directory of its own: the program works in the current directory.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velquor::test {

class DossierTemporaire {
 public:
  DossierTemporaire();
  ~DossierTemporaire();
  DossierTemporaire(const DossierTemporaire&) = delete;
  DossierTemporaire& operator=(const DossierTemporaire&) = delete;
  const std::filesystem::path& Chemin() const { return chemin_; }

 private:
  std::filesystem::path precedent_;
  std::filesystem::path chemin_;
};

// A test fixture that runs each test in its own temporary directory.
class TestDansDossier : public ::testing::Test {
 protected:
  DossierTemporaire dossier_;
};

std::vector<unsigned char> LireOctets(const std::filesystem::path& chemin);
// A whole file's bytes as a string; empty when it cannot be read.
std::string LireTexte(const std::filesystem::path& chemin);
void EcrireOctets(const std::filesystem::path& chemin, const std::vector<unsigned char>& octets);

}  // namespace velquor::test
