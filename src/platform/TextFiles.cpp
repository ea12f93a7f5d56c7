#include "TextFiles.h"

#include "ClassesLists.h"
#include "CodePages.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const char kBomUtf8[] = "\xEF\xBB\xBF";
const char kBomUtf16Le[] = "\xFF\xFE";
const char kBomUtf16Be[] = "\xFE\xFF";

QString DecodeUtf16(const QByteArray& bytes, QStringConverter::Encoding enc)
{
    const QByteArray even = bytes.left(bytes.size() & ~qsizetype(1));
    QStringDecoder dec(enc, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return dec.decode(even);
}

bool IsAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

TDecodedText DecodeText(const QByteArray& bytes)
{
    TDecodedText r;
    if (bytes.startsWith(kBomUtf8)) {
        r.Encoding = TTextEncoding::Utf8Bom;
        r.Text = QString::fromUtf8(bytes.mid(3));
    } else if (bytes.startsWith(kBomUtf16Le)) {
        r.Encoding = TTextEncoding::Utf16LeBom;
        r.Text = DecodeUtf16(bytes.mid(2), QStringConverter::Utf16LE);
    } else if (bytes.startsWith(kBomUtf16Be)) {
        r.Encoding = TTextEncoding::Utf16BeBom;
        r.Text = DecodeUtf16(bytes.mid(2), QStringConverter::Utf16BE);
    } else if (IsAscii(bytes)) {
        r.Encoding = TTextEncoding::Ansi;
        r.Text = QString::fromLatin1(bytes);
    } else {
        QStringDecoder dec(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        QString text = dec.decode(bytes);
        if (!dec.hasError()) {
            r.Encoding = TTextEncoding::Utf8;
            r.Text = text;
        } else {
            r.Encoding = TTextEncoding::Ansi;
            r.Text = AnsiToUnicode(bytes);
        }
    }
    return r;
}

TDecodedText ReadTextFile(const QString& path, TReadKind kind)
{
    return DecodeText(ReadFileBytes(path, kind));
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (start < n) lines << text.mid(start);
    return lines;
}

QByteArray EncodeText(const QString& text, TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Ansi: return UnicodeToAnsi(text);
    case TTextEncoding::Oem: return UnicodeToOem(text);
    case TTextEncoding::Utf8: return text.toUtf8();
    case TTextEncoding::Utf8Bom: return QByteArray(kBomUtf8) + text.toUtf8();
    case TTextEncoding::Utf16Le:
    case TTextEncoding::Utf16LeBom:
    case TTextEncoding::Utf16BeBom: {
        const bool le = encoding != TTextEncoding::Utf16BeBom;
        QStringEncoder enc(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           encoding == TTextEncoding::Utf16Le ? QStringConverter::Flag::Stateless
                                                              : QStringConverter::Flag::WriteBom);
        return enc.encode(text);
    }
    }
    return UnicodeToAnsi(text);
}

TWriteResult WriteTextFile(const QString& path, const QString& text, TTextEncoding encoding)
{
    return SafeWriteFile(path, EncodeText(text, encoding));
}

// ---- TStringList files ----------------------------------------------------

void TStringList::LoadFromFile(const QString& path)
{
    const TDecodedText decoded = ReadTextFile(path, TReadKind::GridImport);
    BeginUpdate();
    try {
        Clear();
        for (const QString& line : SplitLines(decoded.Text)) Add(line);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    FEncoding = decoded.Encoding;
}

void TStringList::SaveToFile(const QString& path)
{
    SaveToFile(path, FEncoding.value_or(TTextEncoding::Ansi));
}

void TStringList::SaveToFile(const QString& path, TTextEncoding enc)
{
    // CR LF after every line, the last one too.
    QString text;
    for (int i = 0; i < Count(); ++i) text += Strings(i) + QStringLiteral("\r\n");
    const TWriteResult r = WriteTextFile(path, text, enc);
    if (!r.Ok) RaiseFileCreateError(path, r.Error);
}
