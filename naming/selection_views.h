#pragma once
// The inspection views: what the waves list and the status line show for the selected group or
// instrument, and for the selected pad or keygroup. Nothing here writes files or reports failures.
#include <cstddef>
#include <string>

#include "app/session.h"
#include "app/window_services.h"
#include "groups/pad_table.h"

namespace kitvane {

// The main list's selection changed: lists the selected group's pads, or the selected instrument's
// keygroups (ordering it first), and sums it up in the status line. No selection changes nothing but
// the emptied waves list; a row beyond the library's lists gives an empty status line.
void OnGroupSelected(Session& session, WindowServices& ui);

// The waves list's selection changed: shows the selected pad's or keygroup's details in the status
// line, empty when the row lies beyond the pads or keygroups. Without both selections nothing happens.
void OnWaveSelected(Session& session, WindowServices& ui);

// How one pad of an assembled table is shown: its waves-list row (the reference itself for a single
// layer, else its velocity markers and its masked file name) and its status text when selected.
std::string PadRowText(const PadTable& pads, std::size_t pad);
std::string PadStatusText(const PadTable& pads, std::size_t pad);

}  // namespace kitvane
