#include "desktop/MprisRootAdaptor.h"

#include "desktop/MprisRequests.h"
#include "desktop/PlayerRemote.h"

MprisRootAdaptor::MprisRootAdaptor(QObject *object, MprisRequests &service)
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
