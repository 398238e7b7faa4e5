#pragma once
// The colours of a system's text in the editor of the system test: for Lua
// its keywords, the interface of g and c, strings, numbers and comments (long
// ones over several lines too); for a system file (TOML) its keys, section
// headers, strings, numbers and comments.

#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <vector>

namespace tamvek::qt {

class SystemHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
  public:
    enum class Language { Lua, Toml };

    SystemHighlighter(QTextDocument* document, Language language);
    void setLanguage(Language language);
    Language language() const { return m_language; }

  protected:
    void highlightBlock(const QString& text) override;

  private:
    struct Rule {
        QRegularExpression pattern;
        QTextCharFormat format;
    };
    void luaRules();
    void tomlRules();
    void longBrackets(const QString& text);

    Language m_language;
    std::vector<Rule> m_rules;
    QTextCharFormat m_comment;
    QTextCharFormat m_string;
};

}  // namespace tamvek::qt
