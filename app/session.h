#pragma once
// Everything one window (or one command) works on: the library model, the options and the run flag
// that tells whether the main list holds a finished run's log. Front ends own a Session and lend it,
// with their WindowServices, to the core.
#include "app/conversion_options.h"
#include "library/library_model.h"

namespace kitvane {

struct Session {
    LibraryModel library;
    ConversionOptions options;
    bool ListShowsLog = false;
    std::string TemplateFolder;  // where the program templates lie: the executable's folder by default
};

}  // namespace kitvane
