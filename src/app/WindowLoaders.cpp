#include "app/WindowLoaders.h"

#include "app/OptionForm.h"
#include "core/FormRegistry.h"
#include "folders/FolderForm.h"
#include "folders/FolderSearchForm.h"
#include "help/QuickHelpForm.h"
#include "help/VersionForm.h"
#include "mainwindow/MainForm.h"
#include "playlist/PlayListForm.h"
#include "update/VersionStatusForm.h"

namespace {

template <class T> void registerLoader(WindowKind kind)
{
    FormRegistry::instance().setLoader(kind, []() -> Form & { return FormRegistry::instance().load<T>(); });
}

} // namespace

void registerWindowLoaders()
{
    registerLoader<MainForm>(WindowKind::MainForm);
    registerLoader<PlayListForm>(WindowKind::PlayListForm);
    registerLoader<FolderForm>(WindowKind::FolderForm);
    registerLoader<FolderSearchForm>(WindowKind::FolderSearchForm);
    registerLoader<QuickHelpForm>(WindowKind::QuickHelpForm);
    registerLoader<VersionForm>(WindowKind::VersionForm);
    registerLoader<OptionForm>(WindowKind::OptionForm);
    registerLoader<VersionStatusForm>(WindowKind::VersionStatusForm);
}
