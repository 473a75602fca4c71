#pragma once

#include <QString>
#include <exception>

// Failures end the current user command; the command guard shows their message.
class FortavoError : public std::exception {
public:
    explicit FortavoError(QString message);
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A file could not be opened, read, written or renamed.
class IoError : public FortavoError {
public:
    using FortavoError::FortavoError;
};

// A text did not read as a number, date or time.
class ConversionError : public FortavoError {
public:
    using FortavoError::FortavoError;
};

// A script run ended with an error.
class ScriptError : public FortavoError {
public:
    using FortavoError::FortavoError;
};

// A data file was replaced or changed by another program since it was opened, so a
// write into it was refused; the file should be read again.
class FileChangedError : public IoError {
public:
    using IoError::IoError;
};
