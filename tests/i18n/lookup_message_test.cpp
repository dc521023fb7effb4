#include "i18n/lookup_message.h"

#include "i18n/translation_table.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace vestrix::i18n {
namespace {

struct LookupCase {
  const char* identifier;
  int language;
  const char* expected;
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.identifier << "/" << c.language; }

TranslationTable Fixture() {
  TranslationTable t;
  t.addRow(kMessageSection, "IDS_BOTH", {"polski", "english"});
  t.addRow(kMessageSection, "IDS_PL_ONLY", {"tylko polski", ""});
  t.addRow(kMessageSection, "IDS_EN_ONLY", {"", "english only"});
  t.addRow(kMessageSection, "IDS_NONE", {"", ""});
  t.addRow(kMessageSection, "IDS_RAW", {"  a\\n b  ", "  x\\t  "});
  t.addRow("Captions", "IDS_CAPTION", {"nie", "no"});
  return t;
}

class Lookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, FollowsTheFallbackRule) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(LookupMessage(Fixture(), c.language, QString::fromUtf8(c.identifier)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Lookup,
    ::testing::Values(LookupCase{"IDS_BOTH", kPolish, "polski"}, LookupCase{"IDS_BOTH", kEnglish, "english"},
                      LookupCase{"IDS_PL_ONLY", kPolish, "tylko polski"},
                      LookupCase{"IDS_PL_ONLY", kEnglish, "tylko polski"},
                      LookupCase{"IDS_EN_ONLY", kEnglish, "english only"}, LookupCase{"IDS_EN_ONLY", kPolish, ""},
                      LookupCase{"IDS_NONE", kEnglish, ""}, LookupCase{"IDS_MISSING", kEnglish, ""},
                      LookupCase{"IDS_MISSING", kPolish, ""}, LookupCase{"ids_both", kEnglish, ""},
                      // Only the message section is searched.
                      LookupCase{"IDS_CAPTION", kEnglish, ""},
                      // Returned as stored: no trimming, no escapes.
                      LookupCase{"IDS_RAW", kPolish, "  a\\n b  "}, LookupCase{"IDS_RAW", kEnglish, "  x\\t  "}));

// The program's own table: every identifier the program uses has a text in
// both languages, and the identifiers 3 and 5 to 13 have none.
TEST(BuiltinMessages, EveryIdentifierHasBothTexts) {
  const TranslationTable& table = BuiltinTranslationTable();
  std::vector<int> used = {1, 2, 4};
  for (int n = 14; n <= 43; ++n) used.push_back(n);
  for (int n : used) {
    const QString id = QStringLiteral("IDS_%1").arg(n);
    const TranslationRow* row = table.findRow(kMessageSection, id);
    ASSERT_NE(row, nullptr) << id.toStdString();
    EXPECT_FALSE(row->text(kPolish).isEmpty()) << id.toStdString();
    EXPECT_FALSE(row->text(kEnglish).isEmpty()) << id.toStdString();
  }
  for (int n : {3, 5, 6, 7, 8, 9, 10, 11, 12, 13}) {
    EXPECT_EQ(LookupMessage(table, kEnglish, QStringLiteral("IDS_%1").arg(n)), "");
  }
  EXPECT_EQ(LookupMessage(table, kPolish, "IDS_14"), QString::fromUtf8("Wartości MIN i MAX zostały wyzerowane"));
}

}  // namespace
}  // namespace vestrix::i18n
