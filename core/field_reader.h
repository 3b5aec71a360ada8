// Reads the fields of a data file the way the file input of the earlier versions did, with
// the protections this version writes (see document_writer.cpp).
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Inside a quoted field a double quote stands as this control character: the earlier versions
// end a quoted field at the next double quote, so one inside would lose them their place.
// The character itself is no text of a document: it is dropped when read or written, so a
// stand-in in a file always means a quote.
inline constexpr QChar kQuoteStandIn = QChar(0x01);

class FieldReader {
  public:
    explicit FieldReader(QStringView text);

    // A text field: leading spaces skipped, then up to the end of the line; a comma is part of
    // it, since the earlier versions wrote titles and cells with commas unprotected. A field in
    // double quotes that closes at the end of its line is the text between them; any other
    // line is taken as it stands. Nothing at the end of the text.
    std::optional<QString> text();
    // The next text field as a view of the text, when it is a line as it stands (no quotes
    // to take off, no stand-in to drop); nothing otherwise, and the reader stays where it was.
    std::optional<QStringView> plainText();
    // A number field: leading spaces skipped, then up to a CR, an LF or a comma; trimmed.
    // Nothing at the end of the text.
    std::optional<QString> numberField();
    // How many more text fields there can be: the lines left, counting CR LF as one line end.
    qsizetype linesLeft() const;
    // The line of the first thing left other than spaces, line ends and an end-of-file mark;
    // nothing when only those remain.
    std::optional<int> lineOfAnythingLeft() const;
    // Whether only spaces, line ends and end-of-file marks are left.
    bool onlyBlanksLeft() const { return pos_ >= contentEnd_; }
    // The 1-based line on which the last field began (or the reader now stands).
    int line() const { return fieldLine_; }

  private:
    bool isLineEnd(qsizetype at) const {
        return at < text_.size() && (text_[at] == u'\r' || text_[at] == u'\n');
    }
    // Whether the character at `at` ends a line (an LF, or a CR not followed by one).
    bool endsLine(qsizetype at) const;
    void skipSpaces();
    qsizetype lineEndFrom(qsizetype at) const;
    // Consumes one line end (CR LF counts as one) at pos_, if there is one.
    void consumeLineEnd();
    std::optional<QString> quoted(qsizetype end) const;

    QStringView text_;
    qsizetype pos_ = 0;
    // Just past the last character that is not blank (see onlyBlanksLeft).
    qsizetype contentEnd_ = 0;
    int currentLine_ = 1;
    int fieldLine_ = 1;
};
