// The four display-settings requests. Each is one platform call on the run's
// one record.
#ifndef TARVELIN_ORIENTATION_DISPLAY_REQUESTS_H
#define TARVELIN_ORIENTATION_DISPLAY_REQUESTS_H

#include "platform/platform.h"

void ReadDisplaySettings(CE_DEVMODEW* record);
bool QuerySupportedOrientations(CE_DEVMODEW* record, Uint32* supported);
void EnterOrientationMode(CE_DEVMODEW* record);
bool QueryCurrentOrientation(CE_DEVMODEW* record, Uint32* current);
void ApplyOrientation(CE_DEVMODEW* record, Uint32 code);

#endif
