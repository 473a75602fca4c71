#pragma once

#include "common/FileClaim.h"
#include "common/WholeFile.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QIODevice;

// One exercise of the catalogue: one 323-byte record of the exercise list file.
struct CatalogExercise {
    QString Name;        // at most 50 bytes stored
    QString Bodypart;    // at most 15 bytes stored
    QString Description; // at most 255 bytes stored

    static constexpr int Size = 323;
    static constexpr int NameCapacity = 50;
    static constexpr int BodypartCapacity = 15;
    static constexpr int DescriptionCapacity = 255;

    // Field by field at the layout's offsets; bytes after each text are zeros.
    QByteArray encode() const;
    // Reads Size bytes.
    static CatalogExercise decode(const char *bytes);
    bool operator==(const CatalogExercise &) const = default;
};

namespace ExerciseLayout {
constexpr int Name = 0;
constexpr int Bodypart = 51;
constexpr int Description = 67;
}

// The open exercise list file: 323-byte records, no header. It is written anew, whole,
// on each save. Failures raise IoError naming the file.
class ExerciseFile {
public:
    static inline const QString DefaultName = QStringLiteral("exercises.dat");

    ExerciseFile() = default;
    ~ExerciseFile();
    ExerciseFile(const ExerciseFile &) = delete;
    ExerciseFile &operator=(const ExerciseFile &) = delete;

    // The full name of the configured file: a bare name lies in the program folder, and
    // an empty one (no configuration) means "exercises.dat" there.
    static QString resolveName(const QString &configured);

    // Opens the file for reading and writing, creating it empty when missing.
    void open(const QString &path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    // The program marks the open file as in use. False when another copy of the program
    // has it: a save is then refused with an IoError that says so.
    bool claimInUse();
    FileLock::Holder heldBy() const { return m_claim.heldBy(); }
    QString fileName() const { return m_file.fileName(); }

    // Whole records only: a partial tail is not counted.
    int count() const;
    QList<CatalogExercise> readAll();
    // Writes the list to a temporary file beside the old one and renames it over it,
    // so a failed save leaves the old list whole. The file is open again afterwards.
    void save(const QList<CatalogExercise> &exercises);

    // A save first checks that the path still names the file opened here, as this
    // object left it; otherwise it raises FileChangedError ("The exercise list was
    // changed outside Fortavo."), writes nothing and calls the outside-change handler
    // first.
    void checkUnchanged();
    bool changedOutside() const;
    void setOutsideChangeHandler(std::function<void()> handler) { m_claim.setOutsideChangeHandler(std::move(handler)); }
    // Opens the file the path names now.
    void reopen();

    // Tests put a device between the save and its temporary file to fail it.
    void setSaveWrapper(WholeFile::TargetWrapper wrapper) { m_wrapper = std::move(wrapper); }

private:
    void requireOpen() const;
    [[noreturn]] void fail(const QString &what, const QString &reason) const;

    void openFile(const QString &path);

    mutable QFile m_file;
    WholeFile::TargetWrapper m_wrapper;
    FileClaim m_claim;
};
