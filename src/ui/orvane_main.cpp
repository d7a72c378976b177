// orvane: the gimbal tuning window.
#include "ui/dialog/orvane_app.h"

int main(int argc, char** argv)
{
    COrvaneApp app;
    app.InitInstance(argc, argv);
    return app.m_exit_status;
}
