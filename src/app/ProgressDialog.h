#pragma once

#include "store/TrainingFile.h"

class QWidget;

// A progress callback that shows a window-modal dialog under the label once an
// operation takes a while; the dialog closes when done reaches total.
ProgressCallback progressDialog(QWidget *parent, const QString &label);
