// An exercise list file of arbitrary bytes: read, saved and read again, the second
// reading must give the same list.

#include "FuzzSupport.h"

#include "exercises/ExerciseFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::inputFile(QStringLiteral("exercises.dat"), data, size);
    ExerciseFile file;
    file.open(path);
    const QList<CatalogExercise> first = file.readAll();
    file.save(first);
    if (file.count() != first.size() || file.readAll() != first)
        std::abort();
    return 0;
}
