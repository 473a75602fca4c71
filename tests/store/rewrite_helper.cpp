// Deletes one workout and puts it back, and saves one of two exercise lists, over and
// over, in a worker process that the test kills. Arguments: the training file, a copy
// of its full content, the exercise file, exercise list A, exercise list B.
//
// Rounds: a worker starts, opens both files and writes its process id and a line
// break to standard output, then rewrites until it is killed, writing "." after each
// round of rewrites; the helper then writes
// "killed" and a line break (or how the worker ended otherwise) and waits for one byte on standard input before the next round. It ends when
// standard input ends. Forking from here costs far less than starting a process, so
// a test can kill hundreds of workers in a few seconds.

#include "exercises/ExerciseFile.h"
#include "store/TrainingFile.h"

#include <QFile>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QByteArray contentOf(const char *path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", path);
        std::exit(2);
    }
    return file.readAll();
}

QList<CatalogExercise> exercisesOf(const QByteArray &bytes)
{
    QList<CatalogExercise> list;
    for (qsizetype at = 0; at + CatalogExercise::Size <= bytes.size(); at += CatalogExercise::Size)
        list << CatalogExercise::decode(bytes.constData() + at);
    return list;
}
}

int main(int argc, char **argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: rewrite_helper TRAINING FULL EXERCISES A B\n");
        return 2;
    }
    const QByteArray full = contentOf(argv[2]);
    const QList<CatalogExercise> listA = exercisesOf(contentOf(argv[4]));
    const QList<CatalogExercise> listB = exercisesOf(contentOf(argv[5]));
    const int removedAt = int(full.size() / WorkoutRecord::Size / 3);
    const WorkoutRecord removed = WorkoutRecord::decode(full.constData() + qsizetype(removedAt) * WorkoutRecord::Size);

    for (;;) {
        const pid_t worker = ::fork();
        if (worker == 0) {
            TrainingFile training;
            training.open(QString::fromLocal8Bit(argv[1]));
            ExerciseFile exercises;
            exercises.open(QString::fromLocal8Bit(argv[3]));
            std::printf("%d\n", int(::getpid()));
            std::fflush(stdout);
            for (;;) {
                if (training.byteSize() == full.size())
                    training.RemoveRecord(removedAt);
                else
                    training.InsertRecord(removedAt, removed);
                exercises.save(exercises.readAll() == listA ? listB : listA);
                std::printf(".");
                std::fflush(stdout);
            }
        }
        int status = 0;
        ::waitpid(worker, &status, 0);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            std::printf("killed\n");
        else
            std::printf("ended by itself, status %d\n", status);
        std::fflush(stdout);
        char next = 0;
        if (::read(STDIN_FILENO, &next, 1) != 1)
            return 0;
    }
}
