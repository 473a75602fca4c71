#pragma once

#include "common/RegionalSettings.h"

#include <QString>
#include <QTemporaryDir>

// A test's fixed surroundings: regional settings d.M.yyyy, HH:mm:ss and "." (or the
// ones given), and a fresh temporary program folder.
class TestEnvironment {
public:
    explicit TestEnvironment(const RegionalSettings &settings = RegionalSettings());
    QString folder() const; // with a trailing "/"
    QString path(const QString &name) const { return folder() + name; }
    void writeFile(const QString &name, const QByteArray &content) const;
    QByteArray readFile(const QString &name) const;

private:
    QTemporaryDir m_dir;
};

// Pins the regional settings for a whole test program.
void pinRegionalSettings(const RegionalSettings &settings = RegionalSettings());
