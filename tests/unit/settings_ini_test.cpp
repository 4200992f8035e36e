#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/ini_document.h"

namespace {

using wolumetr::IniDocument;

// A literal with NULs in it, whole.
template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

std::optional<std::string> Get(const std::string& text, const char* section, const char* key) {
  return IniDocument::Parse(text).Get(section, key);
}

TEST(IniDocumentRead, NamesTrimsQuotesAndDuplicates) {
  const std::string text =
      "orphan=before any section\r\n"
      "; Dysk1=comment\r\n"
      "  [ dyski ]  \r\n"
      "# Dysk2=comment\r\n"
      "\tDYSK1 \t=  C:\\  \r\n"
      "dysk1=shadowed\r\n"
      "Dysk3=\"  quoted  \"\r\n"
      "Dysk4=\"half\r\n"
      "Dysk5=a=b\r\n"
      "junk line\r\n"
      "=no key\r\n"
      "Dysk6=\r\n"
      "[Other]\r\n"
      "Dysk7=elsewhere\r\n"
      "[DYSKI]\r\n"
      "Dysk1=second section\r\n"
      "Dysk8=second section\r\n";
  const IniDocument doc = IniDocument::Parse(text);
  EXPECT_EQ(doc.Get("Dyski", "Dysk1"), "C:\\");
  EXPECT_EQ(doc.Get("Dyski", "Dysk2"), std::nullopt);
  EXPECT_EQ(doc.Get("Dyski", "Dysk3"), "  quoted  ");
  EXPECT_EQ(doc.Get("Dyski", "Dysk4"), "\"half");
  EXPECT_EQ(doc.Get("Dyski", "Dysk5"), "a=b");
  EXPECT_EQ(doc.Get("Dyski", "Dysk6"), "");
  EXPECT_EQ(doc.Get("Dyski", "Dysk7"), std::nullopt);
  EXPECT_EQ(doc.Get("Dyski", "Dysk8"), std::nullopt);  // only the first [Dyski] counts
  EXPECT_EQ(doc.Get("Other", "dysk7"), "elsewhere");
  EXPECT_EQ(doc.Get("", "orphan"), std::nullopt);
  EXPECT_EQ(doc.Get("Dyski", "junk line"), std::nullopt);
}

// As the Windows profile functions read hand-edited files (compared with them under Wine in
// the Windows tests).
TEST(IniDocumentRead, AsTheProfileFunctions) {
  const struct {
    const char* name;
    std::string text;
    std::optional<std::string> value;  // of [s] k
  } cases[] = {
      {"CR line endings", "[s]\rk=v\r", "v"},
      {"a CR inside an LF file ends a line", "[s]\nx=1\rk=v\n", "v"},
      {"LF CR", "[s]\n\rk=v", "v"},
      {"vertical tab, form feed, Ctrl-Z are blanks", "[\x0bs\x1a]\n\x0ck\x0b=\x1av\x0c\n\x1a", "v"},
      {"a non-ASCII blank is not", "[s]\nk=v\xC2\xA0\n", "v\xC2\xA0"},
      {"single quotes", "[s]\nk='v'", "v"},
      {"blanks in single quotes", "[s]\nk= ' v ' ", " v "},
      {"nested quotes", "[s]\nk=\"'v'\"", "'v'"},
      {"mismatched quotes", "[s]\nk='v\"", "'v\""},
      {"a lone quote", "[s]\nk='", "'"},
      {"empty quotes", "[s]\nk=''", ""},
      {"text after the header", "[s] ; comment\nk=v", "v"},
      {"the header ends at its last bracket", "[s]]\nk=v", std::nullopt},
      {"a header without its bracket", "[s]\n[t\nk=v", "v"},
      {"an empty header", "[s]\n[]\nk=v", std::nullopt},
      {"a line without = hides a later line of the key", "[s]\n k \nk=v", std::nullopt},
      {"a comment does not", "[s]\n;k\nk=v", "v"},
      {"a later occurrence of the section is not read", "[s]\nx=1\n[t]\n[S]\nk=v", std::nullopt},
      {"not even when the first one is empty", "[s]\n[s]\nk=v", std::nullopt},
      {"a NUL ends a value", Bytes("[s]\nk=v \0w"), "v "},
      {"a NUL ends a key", Bytes("[s]\nk\0x=v"), "v"},
      {"a NUL ends a section name", Bytes("[s\0x]\nk=v"), "v"},
      {"a NUL after blanks in a key", Bytes("[s]\nk \0=v"), std::nullopt},
      {"quotes are taken off after the NUL cut", Bytes("[s]\nk='v\0'"), "'v"},
  };
  for (const auto& c : cases) EXPECT_EQ(Get(c.text, "s", "k"), c.value) << c.name;
}

TEST(IniDocumentRead, LongValuesAreCutAtTheBufferSize) {
  EXPECT_EQ(Get("[s]\nk=" + std::string(5000, 'a') + "\n", "s", "k"), std::string(2047, 'a'));
  EXPECT_EQ(Get("[s]\nk=" + std::string(2047, 'b'), "s", "k"), std::string(2047, 'b'));
  // A two-byte character straddling the cut is dropped whole.
  EXPECT_EQ(Get("[s]\nk=" + std::string(2046, 'c') + "\xC5\x82z", "s", "k"), std::string(2046, 'c'));
}

TEST(IniDocumentRead, BomIsSkippedAndKept) {
  const std::string text = "\xEF\xBB\xBF[Wyglad]\nPoziomprzezr=100\n";
  IniDocument doc = IniDocument::Parse(text);
  EXPECT_EQ(doc.Get("Wyglad", "Poziomprzezr"), "100");
  doc.Set("Wyglad", "Poziomprzezr", "200");
  EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF[Wyglad]\nPoziomprzezr=200\n");
}

TEST(IniDocumentWrite, ReplacesInPlaceKeepingEverythingElse) {
  const std::string text =
      "; my comment\r\n"
      "\r\n"
      "[Wyglad]\r\n"
      "  przezroczystosc = 0 \r\n"
      "other=x\r\n"
      "[Program]\r\n"
      "Przezroczystosc=stays\r\n";
  IniDocument doc = IniDocument::Parse(text);
  EXPECT_TRUE(doc.Set("WYGLAD", "Przezroczystosc", "1"));
  EXPECT_EQ(doc.Serialize(),
            "; my comment\r\n"
            "\r\n"
            "[Wyglad]\r\n"
            "przezroczystosc=1\r\n"
            "other=x\r\n"
            "[Program]\r\n"
            "Przezroczystosc=stays\r\n");
  EXPECT_FALSE(doc.Set("Wyglad", "przezroczystosc", "1"));
}

TEST(IniDocumentWrite, NewKeysGoAfterTheLastEntryOfTheFirstSection) {
  IniDocument doc = IniDocument::Parse(
      "[Dyski]\n"
      "Dysk1=C:\\\n"
      "; trailing comment\n"
      "\n"
      "[Other]\n"
      "[dyski]\n"
      "Dysk9=Z:\\\n");
  doc.Set("Dyski", "Dysk2", "D:\\");
  doc.Set("Other", "a", "1");
  doc.Set("New", "b", "2");
  EXPECT_EQ(doc.Serialize(),
            "[Dyski]\n"
            "Dysk1=C:\\\n"
            "Dysk2=D:\\\n"
            "; trailing comment\n"
            "\n"
            "[Other]\n"
            "a=1\n"
            "[dyski]\n"
            "Dysk9=Z:\\\n"
            "[New]\n"
            "b=2\n");
}

TEST(IniDocumentWrite, LineEndingsFollowTheFile) {
  // clang-format off
  const struct { const char* file; const char* section; const char* key; const char* written; } cases[] = {
      {"", "A", "k", "[A]\r\nk=v\r\n"},
      {"[A]\nx=1", "A", "k", "[A]\nx=1\nk=v\n"},  // no final newline
      {"[A]\r\nx=1\r\n[B]\r\ny=2", "C", "k", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n[C]\r\nk=v\r\n"},
      {"[A]\nx=1\ny=2\r\n", "A", "k", "[A]\nx=1\ny=2\r\nk=v\n"},
      {"[A]\r\nx=1", "A", "x", "[A]\r\nx=v"},  // a replaced line keeps its own ending
      {"[A]\rx=1\r[B]\r", "A", "k", "[A]\rx=1\rk=v\r[B]\r"},
      // A CR line before an empty LF line would join it into one CR LF.
      {"[A]\rx=1\n\n;y\r;z\r", "A", "k", "[A]\rx=1\nk=v\r\n\n;y\r;z\r"},
  };
  // clang-format on
  for (const auto& c : cases) {
    IniDocument doc = IniDocument::Parse(c.file);
    doc.Set(c.section, c.key, "v");
    EXPECT_EQ(doc.Serialize(), c.written) << c.file;
  }
}

TEST(IniDocumentWrite, GoesToTheLineThatIsRead) {
  IniDocument doc = IniDocument::Parse(
      "[Program]\n"
      "Ilosc kolumn\n"
      "Ilosc kolumn=4\n"
      "[Dyski]\n"
      "[program]\n"
      "Ilosc wierszy=2\n");
  EXPECT_TRUE(doc.Set("Program", "Ilosc kolumn", "3"));
  EXPECT_TRUE(doc.Set("Program", "Ilosc wierszy", "1"));
  EXPECT_EQ(doc.Serialize(),
            "[Program]\n"
            "Ilosc kolumn=3\n"
            "Ilosc kolumn=4\n"
            "Ilosc wierszy=1\n"
            "[Dyski]\n"
            "[program]\n"
            "Ilosc wierszy=2\n");
  EXPECT_EQ(doc.Get("Program", "Ilosc wierszy"), "1");
}

TEST(IniDocumentWrite, ValuesReadBackAsWritten) {
  for (const std::string value :
       {"", "C:\\", " lead", "trail\t", "\"q\"", "\"", "'q'", "'", "\"q'", "\vv\x1a", "ąę", "\xC2\xA0"}) {
    IniDocument doc = IniDocument::Parse("[s]\n");
    doc.Set("s", "k", value);
    EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Get("s", "k"), value) << value;
  }
}

TEST(IniDocumentWrite, RejectsNamesAndValuesThatWouldBreakTheFile) {
  IniDocument doc;
  for (const std::string& value : std::vector<std::string>{"two\nlines", "a\rb", "end\r", Bytes("a\0b")}) {
    EXPECT_THROW(doc.Set("s", "k", value), std::invalid_argument) << value;
  }
  for (const char* key : {"", "a=b", " k", ";k", "#k", "[k", "k\r", "\xC5\x82"}) {
    EXPECT_THROW(doc.Set("s", key, "v"), std::invalid_argument) << key;
  }
  for (const char* section : {"", "a]b", "s ", "a\nb"}) {
    EXPECT_THROW(doc.Set(section, "k", "v"), std::invalid_argument) << section;
  }
  EXPECT_EQ(doc.Serialize(), "");
}

TEST(IniDocumentRemove, TakesOutEveryLineOfTheKeyAndNothingElse) {
  const std::string text =
      "Dysk1=orphan\n"
      "[Dyski]\n"
      "Dysk1=C:\\\n"
      ";Dysk1=comment\n"
      " dysk1 \n"
      "DYSK1 = again\n"
      "Dysk10=X:\\\n"
      "[Other]\n"
      "Dysk1=other\n"
      "[dyski]\n"
      "dysk1=third";
  IniDocument doc = IniDocument::Parse(text);
  EXPECT_TRUE(doc.Remove("Dyski", "Dysk1"));
  // A later [dyski] is never read, and so not touched either.
  EXPECT_EQ(doc.Serialize(),
            "Dysk1=orphan\n"
            "[Dyski]\n"
            ";Dysk1=comment\n"
            "Dysk10=X:\\\n"
            "[Other]\n"
            "Dysk1=other\n"
            "[dyski]\n"
            "dysk1=third");
  EXPECT_EQ(doc.Get("Dyski", "Dysk1"), std::nullopt);
  EXPECT_FALSE(doc.Remove("Dyski", "Dysk1"));
  EXPECT_FALSE(doc.Remove("Missing", "k"));
}

// A crafted file of 200,000 lines takes one pass, not one per line removed.
TEST(IniDocumentRemove, ManyLinesOfTheKeyGoInOnePass) {
  std::string text = "[Dyski]\n";
  std::string comments;
  for (int i = 0; i < 100000; ++i) {
    text += "Dysk2=C:\\\n;\n";
    comments += ";\n";
  }
  IniDocument doc = IniDocument::Parse(text + "[Other]\nDysk2=kept\n");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(doc.Remove("Dyski", "Dysk2"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(doc.Serialize(), "[Dyski]\n" + comments + "[Other]\nDysk2=kept\n");
}

TEST(IniDocumentHostile, ArbitraryBytesRoundTripAndStayEditable) {
  std::string binary;
  for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
  const std::string cases[] = {
      // clang-format off
      "", "\n", "\r", "\r\r\n\n\r", "[", "]", "[]", "=", "no newline", "\xEF\xBB\xBF", "\xEF\xBB",
      std::string("[s]\nk=a\0b\n", 10), std::string(100000, 'x'), "[s]\r" + std::string(70000, '=') + "\rk=v",
      binary + binary,
      // clang-format on
  };
  for (const std::string& text : cases) {
    IniDocument doc = IniDocument::Parse(text);
    EXPECT_EQ(doc.Serialize(), text);
    EXPECT_FALSE(doc.Remove("new", "k"));
    EXPECT_EQ(doc.Serialize(), text);
    doc.Set("new", "k", "v");
    const std::string edited = doc.Serialize();
    EXPECT_EQ(edited.compare(0, text.size(), text), 0);  // appended only
    EXPECT_EQ(IniDocument::Parse(edited).Get("new", "k"), "v");
    IniDocument again = IniDocument::Parse(edited);
    again.Remove("new", "k");
    again.Set("new", "k", "w");
    EXPECT_EQ(again.Get("new", "k"), "w");
  }
  EXPECT_EQ(Get(std::string("[s]\nk=a\0b\n", 10), "s", "k"), "a");
}

}  // namespace
