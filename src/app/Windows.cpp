#include "app/Windows.h"

#include "app/UArvintoFirmWare.h"

#include "image/UBoot.h"
#include "parameters/UParGen.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"

#include "platform/Form.h"

void Create_Windows(TApplication& App)
{
    App.CreateForm(FArvintoFirmWare);
    App.CreateForm(FNew_Project);
    App.CreateForm(FOpenConf);
    App.CreateForm(FParGen);
    App.CreateForm(FBoot);
}
