// The window's entry point: the application object does everything.
#include "app/window/kitvane_app.h"

int main(int argc, char** argv) {
    kitvane::CKitvaneApp app(argc, argv);
    return app.Run();
}
