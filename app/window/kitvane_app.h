#pragma once
// The application object: names the settings store after the organisation and the executable, runs
// the main window modally and ends when it closes.
#include <QApplication>

namespace kitvane {

class CKitvaneApp : public QApplication {
public:
    CKitvaneApp(int& argc, char** argv);

    // Shows the main window and returns the exit status once it has closed.
    int Run();
};

}  // namespace kitvane
