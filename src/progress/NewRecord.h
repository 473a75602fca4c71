#pragma once

#include "store/TrainingFile.h"

#include <QString>

// The main window's word after a save: which exercises of the saved workout beat the best
// expected 1RM or the heaviest weight of all workouts of earlier dates. Workouts of the
// same or a later date do not count, an exercise never done before sets no record and a
// value that only equals the best sets none. Empty when nothing was beaten.
//
// "New record: Bench press, expected 1RM 116.67 kg/lbs (100 × 5)"
// "New record: Bench press, heaviest weight 105.00 kg/lbs (105 × 3)"
// both at once: "New record: Bench press, expected 1RM 122.50 kg/lbs (105 × 3), heaviest
// weight 105.00 kg/lbs (105 × 3)"; several exercises are joined with "; ".
//
// One pass over the raw bytes of the file; raises IoError when the file fails.
QString NewRecordText(TrainingFile &file, int recordIndex);
