#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "settings/ini_document.h"

namespace {

using wolumetr::IniDocument;

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
  EXPECT_EQ(doc.Get("Dyski", "Dysk8"), "second section");
  EXPECT_EQ(doc.Get("Other", "dysk7"), "elsewhere");
  EXPECT_EQ(doc.Get("", "orphan"), std::nullopt);
  EXPECT_EQ(doc.Get("Dyski", "junk line"), std::nullopt);
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
  IniDocument fresh;
  fresh.Set("A", "k", "v");
  EXPECT_EQ(fresh.Serialize(), "[A]\r\nk=v\r\n");

  IniDocument lf = IniDocument::Parse("[A]\nx=1");  // no final newline
  lf.Set("A", "k", "v");
  EXPECT_EQ(lf.Serialize(), "[A]\nx=1\nk=v\n");

  IniDocument crlf = IniDocument::Parse("[A]\r\nx=1\r\n[B]\r\ny=2");
  crlf.Set("C", "k", "v");
  EXPECT_EQ(crlf.Serialize(), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n[C]\r\nk=v\r\n");

  IniDocument mixed = IniDocument::Parse("[A]\nx=1\ny=2\r\n");
  mixed.Set("A", "k", "v");
  EXPECT_EQ(mixed.Serialize(), "[A]\nx=1\ny=2\r\nk=v\n");

  // Replacing keeps the line's own ending.
  IniDocument last = IniDocument::Parse("[A]\r\nx=1");
  last.Set("A", "x", "2");
  EXPECT_EQ(last.Serialize(), "[A]\r\nx=2");
}

TEST(IniDocumentWrite, ValuesReadBackAsWritten) {
  for (const std::string value : {"", "C:\\", " lead", "trail\t", "\"q\"", "\"", "a\rb", "end\r", "ąę"}) {
    IniDocument doc = IniDocument::Parse("[s]\n");
    doc.Set("s", "k", value);
    EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Get("s", "k"), value) << value;
  }
}

TEST(IniDocumentWrite, RejectsNamesAndValuesThatWouldBreakTheFile) {
  IniDocument doc;
  EXPECT_THROW(doc.Set("s", "k", "two\nlines"), std::invalid_argument);
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
      "DYSK1 = again\n"
      "Dysk10=X:\\\n"
      "[Other]\n"
      "Dysk1=other\n"
      "[dyski]\n"
      "dysk1=third";
  IniDocument doc = IniDocument::Parse(text);
  EXPECT_TRUE(doc.Remove("Dyski", "Dysk1"));
  EXPECT_EQ(doc.Serialize(),
            "Dysk1=orphan\n"
            "[Dyski]\n"
            ";Dysk1=comment\n"
            "Dysk10=X:\\\n"
            "[Other]\n"
            "Dysk1=other\n"
            "[dyski]\n");
  EXPECT_EQ(doc.Get("Dyski", "Dysk1"), std::nullopt);
  EXPECT_FALSE(doc.Remove("Dyski", "Dysk1"));
  EXPECT_FALSE(doc.Remove("Missing", "k"));
}

TEST(IniDocumentHostile, ArbitraryBytesRoundTripAndStayEditable) {
  std::string binary;
  for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
  const std::string cases[] = {
      "", "\n", "\r", "\r\r\n\n\r", "[", "]", "[]", "=", "no newline", "\xEF\xBB\xBF", "\xEF\xBB",
      std::string("[s]\nk=a\0b\n", 10), std::string(100000, 'x'), "[s]\r" + std::string(70000, '=') + "\rk=v",
      binary + binary,
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
  EXPECT_EQ(Get(std::string("[s]\nk=a\0b\n", 10), "s", "k"), std::string("a\0b", 3));
}

}  // namespace
