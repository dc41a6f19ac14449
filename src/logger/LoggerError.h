#pragma once
// A logger file that cannot be used: what was expected, in both languages of
// the program, and the line of the file where it went wrong (0: the file as a
// whole). The caller picks the language when it shows the message.
#include <QString>
#include <exception>

namespace logger {

class Error : public std::exception {
public:
    Error(int line, QString german, QString english)
        : m_line(line), m_german(std::move(german)), m_english(std::move(english)) {}

    int line() const { return m_line; }
    QString text(bool english) const
    {
        const QString& t = english ? m_english : m_german;
        if (m_line <= 0) return t;
        return (english ? QStringLiteral("Line %1: ") : QStringLiteral("Zeile %1: ")).arg(m_line) + t;
    }
    const char* what() const noexcept override { return "logger file error"; }

private:
    int m_line;
    QString m_german;
    QString m_english;
};

} // namespace logger
