#pragma once

#include "TrainingFixture.h"

#include "exercises/ExerciseAnalysis.h"
#include "exercises/ExerciseFile.h"
#include "exercises/OneRmGraph.h"
#include "exercises/Vjezbe.h"
#include "support/FakeSession.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>

using namespace TrainingFixture;

// The exercise list window over a fresh program folder and headless session, with the
// helpers its tests share. Each test class calls setUp() and tearDown() from its init()
// and cleanup().
class VjezbeFixture : public WindowFixture<TfrmVjezbe> {
protected:
    inline static const QStringList Bodyparts = {QString(), QStringLiteral("Chest"), QStringLiteral("Back"),
                                                 QStringLiteral("Biceps")};

    static QList<CatalogExercise> storedList(const QString &path)
    {
        ExerciseFile file;
        file.open(path);
        return file.readAll();
    }

    FakeSession *session = nullptr;

    QString exercisePath() const { return env->path(QStringLiteral("exercises.dat")); }
    QTableWidget *grid() const { return control<QTableWidget>("stgVjezbe"); }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = grid()->item(row, column);
        return item ? item->text() : QString();
    }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 0; r + 1 < grid()->rowCount(); ++r)
            texts << cell(r, c);
        return texts;
    }
    QString title(int c) const { return grid()->horizontalHeaderItem(c)->text(); }

    void writeCatalogue(const QList<CatalogExercise> &exercises)
    {
        QByteArray bytes;
        for (const CatalogExercise &e : exercises)
            bytes += e.encode();
        env->writeFile(QStringLiteral("exercises.dat"), bytes);
    }
    void start()
    {
        QVERIFY(window->startUp(Bodyparts, QStringLiteral("exercises.dat")));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void add(const QString &name, const QString &bodypart = QString(), const QString &description = QString())
    {
        control<QLineEdit>("edtNaziv")->setText(name);
        control<QComboBox>("cmbDioTijela")->setCurrentText(bodypart);
        control<QPlainTextEdit>("memOpis")->setPlainText(description);
        QTest::mouseClick(control<QPushButton>("bitDodaj"), Qt::LeftButton);
    }
    void clickTitle(int c)
    {
        QHeaderView *header = grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c) + 5, header->height() / 2));
    }
    void gridKey(int row, int key, Qt::KeyboardModifiers modifiers = {})
    {
        grid()->setCurrentCell(row, 1);
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key(key), modifiers);
    }
    void analyse(int row) { gridKey(row, Qt::Key_A, Qt::ControlModifier); }
    QString memo() const { return control<QPlainTextEdit>("memAnaliza")->toPlainText(); }
    // One workout per 20 rows of the exercise, one row for each repetition count.
    void appendRepCounts(const QString &name, const QList<int> &reps, float weight)
    {
        for (qsizetype first = 0; first < reps.size(); first += 20) {
            QList<ExerciseEntry> rows;
            for (int r : reps.mid(first, 20))
                rows << row(name, 3, r, weight);
            append(session->file, QDate(2024, 3, 1).addDays(int(first)), rows);
        }
    }
    // The control takes the focus, as a click or Tab would give it.
    QWidget *focusOn(const char *name)
    {
        QWidget *widget = control<QWidget>(name);
        widget->setFocus(Qt::OtherFocusReason);
        return QApplication::focusWidget();
    }
    // A catalogue of Squat and Row, with Squat analysed and the analysis on `page`.
    void startAnalysed(int page)
    {
        append(session->file, QDate(2024, 3, 4), {row(QStringLiteral("Squat"), 5, 5, 100)});
        writeCatalogue({{QStringLiteral("Squat"), QString(), QString()}, {QStringLiteral("Row"), QString(), QString()}});
        start();
        analyse(0);
        control<QTabWidget>("tabAnaliza")->setCurrentIndex(page);
    }
    QList<QStringList> usageRows() const
    {
        auto *usage = control<QTableWidget>("stgProsli");
        QList<QStringList> rows;
        for (int r = 0; r < usage->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < usage->columnCount(); ++c)
                row << (usage->item(r, c) ? usage->item(r, c)->text() : QString());
            rows << row;
        }
        return rows;
    }

    // The window answers through the session's prompts; the session goes after the window.
    void setUp()
    {
        session = new FakeSession;
        startWindow(
            [this] {
                session->file.open(env->path(QStringLiteral("workouts.dat")));
                return new TfrmVjezbe(*prompts, *session);
            },
            &session->testPrompts);
    }
    void tearDown()
    {
        endWindow([this] {
            delete session;
            session = nullptr;
        });
    }
};
