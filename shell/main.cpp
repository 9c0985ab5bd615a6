#include "shell/ui/toolapp.h"

int main(int argc, char **argv)
{
    telvio::CToolApp app(argc, argv);
    return app.Run();
}
