#pragma once

#include "config/ColorValue.h"

// Which of the script editor's opening behaviours is chosen. NoneSelected happens when
// the configuration held a code other than 0, 1 and 2 and the user changed nothing.
enum class OpeningChoice { NoneSelected, KeepPrevious, ClearEditor, RunWizard };

// The Upon_opening code stored for a choice; with nothing selected that is 2.
inline int uponOpeningCode(OpeningChoice choice)
{
    switch (choice) {
    case OpeningChoice::KeepPrevious:
        return 0;
    case OpeningChoice::ClearEditor:
        return 1;
    default:
        return 2;
    }
}

// The script editor's options as they stand at this moment. The settings window is the
// live store of them; the editor asks whenever it opens or draws.
class EditorOptions {
public:
    virtual ~EditorOptions() = default;
    virtual OpeningChoice openingChoice() const = 0;
    virtual ColorValue keywordColor() const = 0;
    virtual ColorValue stringColor() const = 0;
    virtual ColorValue functionColor() const = 0;
};
