#pragma once

// Whether the bytes of one record read as a workout of the older (2032-byte) or the
// current (2944-byte) layout: a date from 1 January 1900 to 31 December 9999, row
// counts of at most 20 and text lengths within their fields. Nothing in a training
// file marks its layout, so this is how a file of one is told from the other.
namespace LayoutCheck {
bool plausibleDate(double dayCount);
bool plausibleOldRecord(const char *record);
bool plausibleCurrentRecord(const char *record);
}
