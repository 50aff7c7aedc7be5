#include "engine/text/text_formatter.h"

namespace {

bool endsWord(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('\r');
}

// A word ends after (and including) a blank or a hyphen.
QStringList splitWords(const QString& paragraph)
{
    QStringList words;
    QString word;
    for (QChar c : paragraph) {
        word.append(c);
        if (endsWord(c)) {
            words.append(word);
            word.clear();
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

// Trailing blanks do not count when a line is fitted; they are not printed either.
QString withoutTrailingBlanks(const QString& line)
{
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1) == QLatin1Char(' '))
        --end;
    return line.left(end);
}

// The longest start of word that fits on an empty line; may be empty.
qsizetype fittingPrefixLength(const QString& word, double width, const TRpTextWidth& measure)
{
    qsizetype length = 0;
    while (length < word.size() && measure(withoutTrailingBlanks(word.left(length + 1))) <= width)
        ++length;
    return length;
}

class ParagraphBreaker {
public:
    ParagraphBreaker(const TRpTextLayoutOptions& options, const TRpTextWidth& measure, QStringList& lines)
        : m_options(options), m_measure(measure), m_lines(lines) {}

    void run(const QString& paragraph)
    {
        QStringList words = splitWords(paragraph);
        for (qsizetype i = 0; i < words.size() && !m_stopped; ++i)
            place(words[i]);
        if (!m_stopped && (!m_line.isEmpty() || paragraph.isEmpty()))
            m_lines.append(withoutTrailingBlanks(m_line));
    }

private:
    bool fits(const QString& text) const { return m_measure(withoutTrailingBlanks(text)) <= m_options.width; }

    void breakLine()
    {
        m_lines.append(withoutTrailingBlanks(m_line));
        m_line.clear();
        if (!m_options.wordWrap)
            m_stopped = true;
    }

    void place(QString word)
    {
        while (!m_stopped && !word.isEmpty()) {
            if (fits(m_line + word)) {
                m_line += word;
                return;
            }
            if (!m_line.isEmpty()) {
                breakLine();
                continue;
            }
            // A word wider than the whole line keeps the part that fits; the rest goes on
            // the next line. When not even one character fits, the word is dropped.
            const qsizetype kept = fittingPrefixLength(word, m_options.width, m_measure);
            if (kept == 0)
                return;
            m_line = word.left(kept);
            word = word.mid(kept);
            if (!word.isEmpty())
                breakLine();
        }
    }

    const TRpTextLayoutOptions& m_options;
    const TRpTextWidth& m_measure;
    QStringList& m_lines;
    QString m_line;
    bool m_stopped = false;
};

} // namespace

QStringList rpTextParagraphs(const QString& text)
{
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normalised.split(QLatin1Char('\n'));
}

QStringList rpFormatText(const QString& text, const TRpTextLayoutOptions& options, const TRpTextWidth& measure)
{
    const QStringList paragraphs = rpTextParagraphs(text);
    if (options.autoSize)
        return paragraphs;
    QStringList lines;
    for (const QString& paragraph : paragraphs)
        ParagraphBreaker(options, measure, lines).run(paragraph);
    return lines;
}
