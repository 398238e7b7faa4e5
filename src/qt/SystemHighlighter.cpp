#include "qt/SystemHighlighter.h"

namespace tamvek::qt {
namespace {

QTextCharFormat coloured(const QColor& colour, bool bold = false, bool italic = false) {
    QTextCharFormat f;
    f.setForeground(colour);
    if (bold) f.setFontWeight(QFont::Bold);
    f.setFontItalic(italic);
    return f;
}

// A block that ends inside a long comment or string of Lua carries its state.
constexpr int insideLongComment = 1;
constexpr int insideLongString = 2;

}  // namespace

SystemHighlighter::SystemHighlighter(QTextDocument* document, Language language)
    : QSyntaxHighlighter(document), m_language(language) {
    m_comment = coloured(QColor(110, 110, 110), false, true);
    m_string = coloured(QColor(20, 120, 40));
    setLanguage(language);
}

void SystemHighlighter::setLanguage(Language language) {
    m_language = language;
    m_rules.clear();
    if (language == Language::Lua)
        luaRules();
    else
        tomlRules();
    rehighlight();
}

// Later rules paint over earlier ones: strings and comments come last.
void SystemHighlighter::luaRules() {
    const QTextCharFormat keyword = coloured(QColor(20, 40, 150), true);
    m_rules.push_back(
        {QRegularExpression(QStringLiteral(
             "\\b(and|break|do|else|elseif|end|false|for|function|goto|if|in|local|nil|not|"
             "or|repeat|return|then|true|until|while)\\b")),
         keyword});
    m_rules.push_back(
        {QRegularExpression(QStringLiteral(
             "\\b(place|cycle|name)\\b|:(stake|home|free|last|numbers|stop)\\b|"
             "\\.(spin|saldo|pair|side|units|stake|outcome|virtual|placed|ended)\\b")),
         coloured(QColor(130, 30, 140), true)});
    m_rules.push_back({QRegularExpression(QStringLiteral("\\b(0[xX][0-9a-fA-F]+|\\d+\\.?\\d*"
                                                         "([eE][-+]?\\d+)?)\\b")),
                       coloured(QColor(170, 80, 0))});
    m_rules.push_back(
        {QRegularExpression(QStringLiteral("\"([^\"\\\\]|\\\\.)*\"?|'([^'\\\\]|\\\\.)*'?")),
         m_string});
    m_rules.push_back({QRegularExpression(QStringLiteral("--(?!\\[=*\\[).*$")), m_comment});
}

void SystemHighlighter::tomlRules() {
    m_rules.push_back({QRegularExpression(QStringLiteral("^\\s*\\[\\[?[^\\]]*\\]\\]?")),
                       coloured(QColor(130, 30, 140), true)});
    m_rules.push_back({QRegularExpression(QStringLiteral("^\\s*[A-Za-z0-9_.-]+(?=\\s*=)")),
                       coloured(QColor(20, 40, 150), true)});
    m_rules.push_back({QRegularExpression(QStringLiteral("\\b-?\\d[\\d_]*\\b|\\b(true|false)\\b")),
                       coloured(QColor(170, 80, 0))});
    m_rules.push_back(
        {QRegularExpression(QStringLiteral("\"([^\"\\\\]|\\\\.)*\"?|'[^']*'?")), m_string});
    m_rules.push_back({QRegularExpression(QStringLiteral("#.*$")), m_comment});
}

void SystemHighlighter::highlightBlock(const QString& text) {
    for (const Rule& rule : m_rules) {
        QRegularExpressionMatchIterator it = rule.pattern.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            setFormat(static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedLength()),
                      rule.format);
        }
    }
    setCurrentBlockState(0);
    if (m_language == Language::Lua) longBrackets(text);
}

// Lua's long strings and comments ([[ … ]], --[[ … ]]) may span lines.
void SystemHighlighter::longBrackets(const QString& text) {
    static const QRegularExpression open(QStringLiteral("(--)?\\[=*\\["));
    static const QRegularExpression close(QStringLiteral("\\]=*\\]"));
    qsizetype start = 0;
    qsizetype from = 0;  // where its end may be
    bool comment = previousBlockState() == insideLongComment;
    if (previousBlockState() != insideLongComment && previousBlockState() != insideLongString) {
        const QRegularExpressionMatch m = open.match(text);
        if (!m.hasMatch()) return;
        start = m.capturedStart();
        from = m.capturedEnd();
        comment = m.capturedLength(1) > 0;
    }
    const QRegularExpressionMatch end = close.match(text, from);
    const qsizetype length = end.hasMatch() ? end.capturedEnd() - start : text.size() - start;
    setFormat(static_cast<int>(start), static_cast<int>(length), comment ? m_comment : m_string);
    if (!end.hasMatch()) setCurrentBlockState(comment ? insideLongComment : insideLongString);
}

}  // namespace tamvek::qt
