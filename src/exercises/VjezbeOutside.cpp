// The exercise window's side of other programs writing the exercise file: it is marked
// as in use, watched, and read again when it changed.

#include "exercises/Vjezbe.h"

#include "common/CommandGuard.h"
#include "common/FileWatch.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>

void TfrmVjezbe::watchExerciseFile(std::function<void()> refreshChoice)
{
    if (!m_file.isOpen())
        return;
    m_refreshChoice = std::move(refreshChoice);
    if (!m_watch)
        m_watch = new FileWatch([this] {
            // An open window holds the user's working copy: its save finds the change.
            if (!m_file.isOpen() || !m_file.changedOutside() || isVisible())
                return;
            runGuarded(m_prompts, [this] {
                m_file.reopen();
                loadGrid();
                if (m_refreshChoice)
                    m_refreshChoice();
            });
        }, this);
    m_file.setOutsideChangeHandler([this] {
        m_file.reopen();
        addMissingExercises();
    });
    m_watch->setFile(m_file.fileName());
}

void TfrmVjezbe::addMissingExercises()
{
    const QStringList names = exerciseNames();
    const QSet<QString> inGrid(names.begin(), names.end());
    // Added through the entry controls, as loading does; what the user typed there stays.
    const QString name = edtNaziv->text();
    const int bodypart = cmbDioTijela->currentIndex();
    const QString description = memOpis->toPlainText();
    for (const CatalogExercise &e : m_file.readAll()) {
        if (inGrid.contains(e.Name))
            continue;
        edtNaziv->setText(e.Name);
        cmbDioTijela->setCurrentIndex(0);
        for (int i = 0; i < cmbDioTijela->count(); ++i)
            if (cmbDioTijela->itemText(i) == e.Bodypart)
                cmbDioTijela->setCurrentIndex(i);
        memOpis->setPlainText(e.Description);
        bitDodajClick();
    }
    edtNaziv->setText(name);
    cmbDioTijela->setCurrentIndex(bodypart);
    memOpis->setPlainText(description);
}
