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
    RunOptions options = parse_run_options(row.options);
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

TEST(XmlEscape, Latin1BecomesUtf8AndUtf8StaysAsItIs) {
  struct Row {
    std::string text;
    std::string escaped;
  };
  const Row rows[] = {
      {"\xDC"
       "BERLAUF",
       "\xC3\x9C"
       "BERLAUF"},  // ISO 8859-1 Ü
      {"\xC3\x9C"
       "BERLAUF",
       "\xC3\x9C"
       "BERLAUF"},  // already UTF-8
      {"Gr\xF6\xDF"
       "e <1>",
       "Gr\xC3\xB6\xC3\x9F"
       "e &lt;1&gt;"},                               // Latin-1 and markup
      {"\xC3", "\xC3\x83"},                          // a lone lead byte
      {"\xE0\x80\x80", "\xC3\xA0\xC2\x80\xC2\x80"},  // overlong: not UTF-8
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},  // a surrogate: not UTF-8
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},      // four bytes
  };
  for (const Row& row : rows) {
    EXPECT_EQ(xml_escape(row.text), row.escaped) << row.text;
    EXPECT_TRUE(is_valid_utf8(xml_escape(row.text))) << row.text;
  }
}

TEST(CutXmlText, KeepsWholeEntitiesAndSequences) {
  struct Row {
    std::string text;
    std::size_t limit;
    std::string cut;
  };
  const Row rows[] = {
      {"ab&amp;", 5, "ab"},
      {"ab&amp;", 7, "ab&amp;"},
      {"a\xC3\x9C", 2, "a"},
      {"a\xC3\x9C", 3, "a\xC3\x9C"},
      {"a\xF0\x9F\x98\x80", 4, "a"},
      {"a\xF0\x9F\x98\x80"
       "b",
       5, "a\xF0\x9F\x98\x80"},
      {"abc", 10, "abc"},
  };
  for (const Row& row : rows) {
    std::string text = row.text;
    cut_xml_text(text, row.limit);
    EXPECT_EQ(text, row.cut) << row.text << " " << row.limit;
  }
}

// The time limit assembles its document from parts that are escaped one by
// one; it must come out as error_document and error_closing write the whole
// message, cut included, wherever the parts meet.
TEST(ErrorDocument, WrittenFromEscapedPartsIsTheSameDocument) {
  const std::string messages[] = {
      "Error 1050: No answer within 5 s from A&B<C>...",
      "",
      std::string(5000, '&'),
      std::string(4050, 'a') + "\xE4\xE4\xE4",
      std::string(4045, 'a') + "&&&&",
  };
  for (const std::string& message : messages) {
    const std::string escaped = xml_escape(message);
    for (std::size_t split : {std::size_t{0}, escaped.size() / 3, escaped.size() - 2,
                              std::size_t{4040}, std::size_t{4055}}) {
      split = std::min(split, escaped.size());
      const std::string_view parts[] = {std::string_view(escaped).substr(0, split),
                                        std::string_view(escaped).substr(split)};
      for (bool closing : {false, true}) {
        SCOPED_TRACE(message.substr(0, 50) + " split at " + std::to_string(split) +
                     (closing ? " closing" : ""));
        ResultDocument expected;
        closing ? error_closing(expected, message) : error_document(expected, message);
        char text[kDocumentCapacity];
        EXPECT_EQ(std::string_view(text, write_error_document(text, closing, parts)),
                  expected.text);
      }
    }
  }
}

TEST(ErrorDocument, ALongLatin1MessageIsCutBetweenCharacters) {
  ResultDocument document;
  error_document(document, std::string(5000, '\xE4'));
  EXPECT_LE(document.text.size(), kDocumentCapacity);
  EXPECT_TRUE(is_valid_utf8(document.text));
  EXPECT_EQ(document.text.substr(document.text.size() - 16), "</Text>\n</Prtg>\n");
}

TEST(Frame, ALongTextStillLeavesRoomForTheClosingTags) {
  ResultDocument document{HostKind::kExexml, "", 0};
  RunOptions options = parse_run_options("");
  begin_document(document);
  begin_text(document);
  append_text(document, std::string(5000, '<'));
  end_text(document, options);
  end_document(document);
  EXPECT_LE(document.text.size(), kDocumentCapacity);
  const std::string end = "&lt;</Text>\n\n</Prtg>\n";
  EXPECT_EQ(document.text.substr(document.text.size() - end.size()), end);
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
