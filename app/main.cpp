#include "app/kestrune_app.h"

int main(int argc, char** argv) {
    CKestruneApp app(argc, argv);
    app.InitInstance();
    return 0;
}
