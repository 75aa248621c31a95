// Registry keys and values from [REGISTRY], their record copy, and their removal.
#include "actions/registry_actions.h"

#include "action_test.h"
#include "win/profile.h"
#include "win/registry.h"

#include <string>

namespace {

class RegistryActions : public ActionTest {
protected:
    const std::string script = "C:\\_SETUP.INI";
    const std::string record = "C:\\PLAYER\\_UNSETUP.INI";

    void SetUp() override { CreateDirectoryA("C:\\PLAYER", nullptr); }

    int install() { return applyRegistrySection(context, ACTION_INSTALL, script.c_str(), record.c_str()); }
    int uninstall() { return applyRegistrySection(context, ACTION_UNINSTALL, record.c_str(), nullptr); }

    static bool keyExists(HKEY root, const char* subkey)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    // The string value NAME of ROOT\SUBKEY, or "<none>".
    static std::string value(HKEY root, const char* subkey, const char* name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<none>";
        char data[256] = {};
        DWORD size = sizeof data;
        DWORD type = 0;
        LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS && type == REG_SZ ? std::string(data) : "<none>";
    }
    std::string recorded(const char* key) const
    {
        char text[256];
        GetPrivateProfileStringA("REGISTRY", key, "<none>", text, sizeof text, record.c_str());
        return text;
    }
};

TEST_F(RegistryActions, InstallCreatesKeysWithStringValuesAndRemovalDeletesThem)
{
    write(script,
          "[REGISTRY]\r\n"
          "COUNT=2\r\n"
          "REGISTRY0=hkey_local_machine,Software\\Tavel\\Player,Path,C:\\PLAYER,Port,0x240,Dangling\r\n"
          "REGISTRY1=HKEY_CURRENT_USER,,Software\\Tavel,,Mode,TV\r\n");
    EXPECT_EQ(install(), 1);

    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\Tavel\\Player", "Path"), "C:\\PLAYER");
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\Tavel\\Player", "Port"), "0x240");
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\Tavel\\Player", "Dangling"), "<none>");
    EXPECT_EQ(value(HKEY_CURRENT_USER, "Software\\Tavel", "Mode"), "TV");

    // A value that another program put in later does not keep the key.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tavel", 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Other", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    RegCloseKey(key);

    EXPECT_EQ(uninstall(), 1);
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, "Software\\Tavel\\Player"));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Software\\Tavel"));
    // The parent of a removed key stays.
    EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE, "Software\\Tavel"));
}

TEST_F(RegistryActions, TheRecordGetsALiteralCopyOfTheSectionUnusableEntriesIncluded)
{
    write(script,
          "[REGISTRY]\r\n"
          "COUNT=3\r\n"
          "REGISTRY0=HKEY_USERS,,Tavel,,A,1\r\n"
          "REGISTRY1=HKEY_NOWHERE,Tavel,A,1\r\n");
    install();
    EXPECT_EQ(recorded("COUNT"), "3");
    EXPECT_EQ(recorded("REGISTRY0"), "HKEY_USERS,,Tavel,,A,1");
    EXPECT_EQ(recorded("REGISTRY1"), "HKEY_NOWHERE,Tavel,A,1");
    EXPECT_EQ(recorded("REGISTRY2"), "");
}

TEST_F(RegistryActions, CountZeroIsRecordedAndNothingIsRecordedWithTheFlagOff)
{
    write(script, "[SETUP]\r\nUNSETUP=1\r\n");
    install();
    EXPECT_EQ(recorded("COUNT"), "0");

    write(record, "");
    write(script, "[REGISTRY]\r\nCOUNT=1\r\nREGISTRY0=HKEY_USERS,Tavel,A,1\r\n");
    context.record = FALSE;
    install();
    EXPECT_EQ(recorded("COUNT"), "<none>");
    EXPECT_EQ(value(HKEY_USERS, "Tavel", "A"), "1");
}

TEST_F(RegistryActions, EntriesWithoutAKnownRootOrASubkeyAreSkipped)
{
    // Each bad entry follows a good one: it must not fall back on the root before it.
    write(script,
          "[REGISTRY]\r\n"
          "COUNT=6\r\n"
          "REGISTRY0=HKEY_CLASSES_ROOT,.tav,Kind,player\r\n"
          "REGISTRY1=HKEY_BOGUS,Stray,A,1\r\n"
          "REGISTRY2=\r\n"
          "REGISTRY3=HKEY_CLASSES_ROOT\r\n"
          "REGISTRY4=Stray2,A,1\r\n"
          "REGISTRY5=HKEY_CURRENT_CONFIG,Display\\Tavel,Depth,16\r\n");
    install();
    EXPECT_EQ(value(HKEY_CLASSES_ROOT, ".tav", "Kind"), "player");
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Stray"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "A"));
    EXPECT_EQ(value(HKEY_CURRENT_CONFIG, "Display\\Tavel", "Depth"), "16");

    // The record holds the bad entries too; removal skips them the same way.
    EXPECT_EQ(uninstall(), 1);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, ".tav"));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_CONFIG, "Display\\Tavel"));
}

TEST_F(RegistryActions, RemovalOfAMissingKeyDoesNothing)
{
    write(record, "[REGISTRY]\r\nCOUNT=1\r\nREGISTRY0=HKEY_LOCAL_MACHINE,Software\\Gone\r\n");
    EXPECT_EQ(uninstall(), 1);
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, "Software\\Gone"));
}

}  // namespace
