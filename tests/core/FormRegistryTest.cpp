#include "core/FormRegistry.h"
#include "support/TestEnvironment.h"

#include <QPointer>
#include <QSignalSpy>

namespace {

QStringList events;

class FirstForm : public Form {
    Q_OBJECT
public:
    void Form_Load() override { events << QStringLiteral("load first"); }
    void Form_Unload() override { events << QStringLiteral("unload first"); }
};

class SelfUnloadingForm : public Form {
    Q_OBJECT
public:
    void Form_Load() override { FormRegistry::instance().unload(this); }
};

using FormRegistryTest = CleanStateTest;

} // namespace

TEST_F(FormRegistryTest, OneInstanceLoadsOnceTheLastUnloadEndsTheProgramAndAWindowMayUnloadItselfInItsLoad)
{
    events.clear();
    FormRegistry &forms = FormRegistry::instance();
    QSignalSpy ended(&forms, &FormRegistry::lastFormUnloaded);
    FirstForm &a = forms.load<FirstForm>();
    FirstForm &b = forms.load<FirstForm>();
    EXPECT_TRUE(&a == &b && forms.loadedCount() == 1);
    a.hide();
    EXPECT_TRUE(forms.isLoaded(&a) && ended.count() == 0) << "hiding is not unloading";
    a.close();
    EXPECT_TRUE(forms.find<FirstForm>() == nullptr && ended.count() == 1);
    EXPECT_EQ(events, (QStringList{"load first", "unload first"}));

    QPointer<SelfUnloadingForm> form = &forms.load<SelfUnloadingForm>();
    EXPECT_TRUE(forms.loadedCount() == 0 && ended.count() == 2);
    TestEnvironment::flushEvents();
    EXPECT_TRUE(form.isNull()) << "an unloaded window is destroyed";
}

#include "FormRegistryTest.moc"
