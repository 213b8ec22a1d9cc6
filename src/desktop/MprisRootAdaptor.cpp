#include "desktop/MprisRootAdaptor.h"

#include "desktop/MprisService.h"
#include "desktop/PlayerRemote.h"

MprisRootAdaptor::MprisRootAdaptor(QObject *object, MprisService &service)
    : QDBusAbstractAdaptor(object), service_(service)
{
}

void MprisRootAdaptor::Raise()
{
    service_.post(PlayerRemote::raise);
}

void MprisRootAdaptor::Quit()
{
    service_.post(PlayerRemote::quit);
}
