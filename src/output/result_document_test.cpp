#include "output/result_document.h"

#include <gtest/gtest.h>

namespace kestrovan {
namespace {

const HostKind kAllHosts[] = {HostKind::kExexml, HostKind::kVornelk, HostKind::kTirvasc,
                              HostKind::kMaltheon, HostKind::kQuendar};

TEST(ErrorDocument, IsTheSameXmlForEveryHostAndDiscardsTheContent) {
  for (HostKind host : kAllHosts) {
    ResultDocument document{host, "earlier text", 0};
    error_document(document, "Error 1001: Parameter for Profile-Name is missing !");
    EXPECT_EQ(document.text,
              "<Prtg>\n<Error>1</Error>\n<Text>Error 1001: Parameter for Profile-Name is "
              "missing !</Text>\n</Prtg>\n");
  }
}

TEST(ErrorDocument, EmptyMessageAndOwnContent) {
  ResultDocument document;
  error_document(document, "");
  EXPECT_EQ(document.text, "<Prtg>\n<Error>1</Error>\n<Text></Text>\n</Prtg>\n");

  document.text = "Error 1014: RFC-Failure raised ! - hint";
  error_document(document, document.text);
  EXPECT_EQ(document.text,
            "<Prtg>\n<Error>1</Error>\n<Text>Error 1014: RFC-Failure raised ! - hint</Text>\n"
            "</Prtg>\n");
}

TEST(ErrorDocument, EscapesMarkupSoNoElementCanBeInjected) {
  ResultDocument document{HostKind::kQuendar, "", 0};
  error_document(document, "a<b>&</Text><Error>0</Error>");
  EXPECT_EQ(document.text,
            "<Prtg>\n<Error>1</Error>\n<Text>a&lt;b&gt;&amp;&lt;/Text&gt;&lt;Error&gt;0&lt;/"
            "Error&gt;</Text>\n</Prtg>\n");
}

TEST(ErrorDocument, ControlCharactersCannotBreakTheDocument) {
  ResultDocument document;
  error_document(document,
                 "a\x01"
                 "b\x1b"
                 "[0m\x7f"
                 "\tc");
  EXPECT_EQ(document.text, "<Prtg>\n<Error>1</Error>\n<Text>a?b?[0m?\tc</Text>\n</Prtg>\n");
}

TEST(ErrorDocument, LongMessageIsCutButTheDocumentStaysClosed) {
  ResultDocument document;
  error_document(document, std::string(5000, '&'));
  EXPECT_LE(document.text.size(), kDocumentCapacity);
  EXPECT_EQ(document.text.substr(document.text.size() - 16), "</Text>\n</Prtg>\n");
  // No entity is cut in half.
  std::size_t text_end = document.text.size() - 16;
  EXPECT_EQ(document.text.substr(text_end - 5, 5), "&amp;");
}

TEST(Frame, EachHostKindsForm) {
  struct Row {
    HostKind host;
    std::string options;
    std::string expected;
  };
  const Row rows[] = {
      {HostKind::kExexml, "", "\n<Prtg>\n\n<Text>T</Text>\n\n</Prtg>\n"},
      {HostKind::kVornelk, "CH=1", "\n<Prtg>\n\n<Text>T</Text>\n\n</Prtg>\n"},
      {HostKind::kTirvasc, "", "\n<Prtg>\n\n<Text>T</Text>\n\n</Prtg>\n"},
      {HostKind::kMaltheon, "CH=1", "\n# T\n"},
      {HostKind::kQuendar, "", "\n# T\n"},
      {HostKind::kQuendar, "x ch=2", "\n"},
  };
  for (const Row& row : rows) {
    ResultDocument document{row.host, "old content", 0};
    Options options = make_options(row.options);
    begin_document(document);
    begin_text(document);
    append_text(document, "T");
    end_text(document, options);
    end_document(document);
    EXPECT_EQ(document.text, row.expected) << static_cast<int>(row.host) << " " << row.options;
  }
}

TEST(AppendText, EscapesOnlyInXmlForms) {
  ResultDocument xml{HostKind::kTirvasc, "", 0};
  append_text(xml, "a<&>b");
  EXPECT_EQ(xml.text, "a&lt;&amp;&gt;b");
  ResultDocument plain{HostKind::kMaltheon, "", 0};
  append_text(plain, "a<&>b");
  EXPECT_EQ(plain.text, "a<&>b");
}

TEST(AppendRaw, NeverGoesBeyondTheCapacity) {
  ResultDocument document;
  append_raw(document, std::string(4000, 'a'));
  append_raw(document, std::string(200, 'b'));
  EXPECT_EQ(document.text.size(), kDocumentCapacity);
  EXPECT_EQ(document.text.back(), 'b');
  append_raw(document, "more");
  EXPECT_EQ(document.text.size(), kDocumentCapacity);
}

}  // namespace
}  // namespace kestrovan
