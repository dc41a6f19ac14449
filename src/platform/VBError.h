#pragma once
// A run-time failure as the VB runtime raised it: a number and a description.
#include <QString>
#include <stdexcept>

namespace vb {

// Error numbers used across the program (Jet/VB numbers where one exists).
enum ErrNum : long {
    errOverflow = 6,
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errInvalidProperty = 380,
    errFileNotFound = 53,
    errPathNotFound = 76,
    errNoCurrentRecord = 3021,
    errCouldNotFindFile = 3024,
    errCannotUpdate = 3027,
    errCannotOpenDatabase = 3049,
    errFileLocked = 3050,
    errSqlSyntax = 3075,
    errItemNotFound = 3265,
    errDataConversion = 3421,
    errCancelled = 32755,
};

class VBError : public std::runtime_error {
public:
    VBError(long number, const QString& description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description) {}
    long Number() const { return m_number; }
    const QString& Description() const { return m_description; }

private:
    long m_number;
    QString m_description;
};

[[noreturn]] inline void Raise(long number, const QString& description) { throw VBError(number, description); }

} // namespace vb
