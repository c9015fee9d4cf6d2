#pragma once

// The table settings page's operations on the session: the row-colour mode,
// the manual colour, the default colours, and the row colours and
// specifications to and from the table attributes file and the sensor.

#include "app/session.h"
#include "teach/table_settings.h"

#include <cstdint>

namespace tavrino::app {

// Row-colour mode (0 manual, 1 automatic); the manual controls and the
// measured-colour field follow it (InitSrcPanel).
void InitSrcPanel(Session& s, int mode);
void selectRow(Session& s, int row);
void selectColour(Session& s, std::int32_t colour);

// SET ROW COLOR: the selected colour painted into the selected row, then the
// graphs rebuilt.
void SetRowColor(Session& s);
// Default colours: asks, and on Yes paints the default colours and empties
// the specifications, then rebuilds the graphs. True when reset.
bool CBF_ButtonTableAttrReset(Session& s);

// SAVE TO FILE / GET FROM FILE with the remembered table attributes path.
// A load paints the rows it read and rebuilds the graphs.
teach::TableFileResult SaveTableSettingsToFile(Session& s);
teach::TableFileResult GetTableSettingsFromFile(Session& s);

// The exchanges: orders 180 and 182 with the 72-byte block, then the
// success message; order 184, the rows painted and the graphs rebuilt.
// 1, or -1 with the failure reported and the tables unchanged.
int SaveTableSettingsToEE(Session& s);
int GetTableSettingsFromEE(Session& s);

// The SAVE TO EE and GET FROM EE buttons: with the exchange buttons and the
// page's own two dimmed, the operation above. While a loop runs it is noted
// and served by the loop between two exchanges (0 returned).
int CBF_ButtonSaveTableSettingsToEE(Session& s);
int CBF_ButtonGetTableSettingsFromEE(Session& s);
// What the live loop calls between two frames: the noted requests.
void serveTableSettingsRequests(Session& s);
// What the live loop calls when it ends: requests it did not reach are served
// now, or dropped (buttons usable again) after a link failure.
void finishTableSettingsRequests(Session& s);

} // namespace tavrino::app
