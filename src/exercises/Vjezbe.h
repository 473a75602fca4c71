#pragma once

#include "exercises/ExerciseFile.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

class FileWatch;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QWidget;
class UserPrompts;
class WorkoutSession;

// The exercise list window: the catalogue grid with add, delete, sort and save, and the
// usage analysis of one exercise with its 1RM graph. Created once at start-up and shown
// modally by the main window.
//
// The grid's titles are its horizontal header, so its rows are the exercises followed by
// one blank row where the next added exercise goes (an empty list has one row).
class TfrmVjezbe : public QDialog {
    Q_OBJECT
public:
    static constexpr int CompactHeight = 485;
    static constexpr int FullHeight = 755;

    TfrmVjezbe(UserPrompts &prompts, WorkoutSession &session, QWidget *parent = nullptr);
    ~TfrmVjezbe() override;

    // The window's start-up work: opens or creates the exercise file, copies the main
    // window's body-part items and loads the grid. exerciseFileName is the configured
    // name as read; a bare name lies in the program folder, and an empty one (no
    // configuration) means "exercises.dat" there. A failure is shown as an error box
    // and gives false; the window then works without a file.
    bool startUp(const QStringList &bodyparts, const QString &exerciseFileName);
    // The full name of the exercise file.
    QString exerciseFileName() const { return m_fileName; }
    // Shows the window modally; true when it was closed through the save button (the
    // list was saved), false through the close box.
    bool showModal();
    // The exercise names of the grid, in grid order.
    QStringList exerciseNames() const;
    // Refills the main window's exercise choice with the names, sorted; an empty list
    // leaves the choice as it is. The typed text stays.
    void fillExerciseChoice(QComboBox &cmbVjezba) const;
    // At the main window's close.
    void closeExerciseFile();
    // VjezbeOutside.cpp: reads the exercise file again when another program changed it.
    // While the window is closed the grid is loaded anew and refreshChoice runs (it
    // refills the main window's exercise choice); a save that finds the file changed
    // adds the file's exercises that the grid lacks, so a second save loses none.
    void watchExerciseFile(std::function<void()> refreshChoice);

    // The graph as drawn into imgGraf, and the points it shows.
    QImage graphImage() const { return m_graph; }
    QList<float> oneRmPoints() const { return m_oneRmPoints; }

public slots:
    void bitDodajClick();
    void bitSpremiClick();
    void actSpremiExecute();
    void actObrisiRedExecute();
    void mniAnalizirajVjezbuClick();
    void bitSakrijClick();
    void spnKolikoChange();
    void tabAnalizaChange();
    void sortByColumn(int column);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    int defaultWidth() const;
    // The controls of a new exercise, which Enter adds.
    bool isEntryField(const QWidget *widget) const;
    void loadGrid();
    void addMissingExercises();
    void save();
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    // The name in the selected grid row, the exercise the analysis works on.
    QString selectedExerciseName() const;
    void fillUsageGrid(const QString &name);
    void showGraph(const QImage &image);

    UserPrompts &m_prompts;
    WorkoutSession &m_session;
    ExerciseFile m_file;
    FileWatch *m_watch = nullptr;
    std::function<void()> m_refreshChoice;
    QString m_fileName;
    std::optional<QString> m_analysedName; // the exercise whose analysis is shown
    QList<float> m_oneRmPoints;
    QImage m_graph;

    QLineEdit *edtNaziv = nullptr;
    QComboBox *cmbDioTijela = nullptr;
    QPlainTextEdit *memOpis = nullptr;
    QPushButton *bitDodaj = nullptr;
    QPushButton *bitSpremi = nullptr;
    QTableWidget *stgVjezbe = nullptr;
    QMenu *pmVjezbe = nullptr;
    QAction *mniAnalizirajVjezbu = nullptr;
    QAction *actObrisiRed = nullptr;
    QAction *actSpremi = nullptr;
    QAction *actSakrij = nullptr;
    QTabWidget *tabAnaliza = nullptr;
    QGroupBox *grbAnaliza = nullptr;
    QPlainTextEdit *memAnaliza = nullptr;
    QLabel *imgGraf = nullptr;
    QWidget *pnlExerciseUsage = nullptr;
    QSpinBox *spnKoliko = nullptr;
    QTableWidget *stgProsli = nullptr;
};
