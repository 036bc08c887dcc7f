// The application object: it creates the main window, runs it modally and ends the program
// when it closes.
#pragma once

#include <QApplication>

class CKestruneApp : public QApplication {
  public:
    CKestruneApp(int& argc, char** argv);
    // Runs the main window; false once it has ended, so that no further event loop runs.
    bool InitInstance();
};
