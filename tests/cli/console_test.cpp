// How the companion prints stored text.

#include <gtest/gtest.h>

#include "cli/console.h"

namespace velquor::outils {
namespace {

// Each control character as \xHH, at both ends of each range; the rest in UTF-8.
TEST(Console, TexteAffichableCiteLesCaracteresDeControle) {
  const std::pair<std::string, std::string> cp1252[] = {
      {"\x1F \x7E", "\\x1F ~"},    {"\x7F", "\\x7F"},       {"\x80\x81", "€\\x81"},
      {"\x9C\x9D\x9F", "œ\\x9DŸ"}, {"\xA0\xFF", "\u00A0ÿ"},
  };
  for (const auto& [brut, affiche] : cp1252)
    EXPECT_EQ(TexteAffichable(brut), affiche);
  EXPECT_EQ(TexteAffichableUtf8("\x7F\xC2\x9F\xC2\xA0\xFF"), "\\x7F\\xC2\\x9F\u00A0\\xFF");
}

}  // namespace
}  // namespace velquor::outils
