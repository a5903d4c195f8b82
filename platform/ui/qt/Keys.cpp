#include "platform/ui/qt/Keys.h"

#include <iterator>

namespace platform {
namespace {

struct KeyPair {
    UINT vk;
    int qt;
    char16_t text;   // what the key types, 0 for nothing
};

// The first pair of a virtual key is the one it maps to.
constexpr KeyPair kKeys[] = {
    {VK_RETURN, Qt::Key_Return, u'\r'}, {VK_RETURN, Qt::Key_Enter, u'\r'},
    {VK_ESCAPE, Qt::Key_Escape, 0x1B},  {VK_TAB, Qt::Key_Tab, u'\t'},
    {VK_TAB, Qt::Key_Backtab, 0},       {VK_BACK, Qt::Key_Backspace, 0x08},
    {VK_SPACE, Qt::Key_Space, u' '},    {VK_DELETE, Qt::Key_Delete, 0},
    {VK_INSERT, Qt::Key_Insert, 0},     {VK_HOME, Qt::Key_Home, 0},
    {VK_END, Qt::Key_End, 0},           {VK_PRIOR, Qt::Key_PageUp, 0},
    {VK_NEXT, Qt::Key_PageDown, 0},     {VK_LEFT, Qt::Key_Left, 0},
    {VK_UP, Qt::Key_Up, 0},             {VK_RIGHT, Qt::Key_Right, 0},
    {VK_DOWN, Qt::Key_Down, 0},         {VK_SHIFT, Qt::Key_Shift, 0},
    {VK_CONTROL, Qt::Key_Control, 0},   {VK_MENU, Qt::Key_Alt, 0},
    {VK_CLEAR, Qt::Key_Clear, 0},
};

// Runs of keys numbered alike on both sides.
struct KeyRun {
    UINT firstVk;
    UINT lastVk;
    int firstQt;
};

constexpr KeyRun kRuns[] = {
    {'A', 'Z', Qt::Key_A},
    {'0', '9', Qt::Key_0},
    {VK_F1, VK_F24, Qt::Key_F1},
};

// Punctuation keys have the codes of a US keyboard's keys: never their
// characters' own numbers, which are those of Delete ('.'), Insert ('-'), the
// arrows ('%', '&', '\'', '(') and the like.
UINT KeyOfPunctuation(char16_t c)
{
    constexpr const char16_t* kShiftedDigits = u")!@#$%^&*(";
    for (int digit = 0; digit < 10; ++digit)
        if (kShiftedDigits[digit] == c)
            return static_cast<UINT>('0' + digit);
    struct Oem {
        UINT vk;
        char16_t plain;
        char16_t shifted;
    };
    constexpr Oem kOem[] = {
        {0xBA, u';', u':'}, {0xBB, u'=', u'+'}, {0xBC, u',', u'<'},  {0xBD, u'-', u'_'},
        {0xBE, u'.', u'>'}, {0xBF, u'/', u'?'}, {0xC0, u'`', u'~'},  {0xDB, u'[', u'{'},
        {0xDC, u'\\', u'|'}, {0xDD, u']', u'}'}, {0xDE, u'\'', u'"'},
    };
    for (const Oem& key : kOem)
        if (key.plain == c || key.shifted == c)
            return key.vk;
    return 0;
}

}  // namespace

UINT VirtualKeyFromQt(int qtKey, const QString& text)
{
    for (const KeyRun& run : kRuns)
        if (qtKey >= run.firstQt && qtKey <= run.firstQt + static_cast<int>(run.lastVk - run.firstVk))
            return run.firstVk + static_cast<UINT>(qtKey - run.firstQt);
    for (const KeyPair& pair : kKeys)
        if (pair.qt == qtKey)
            return pair.vk;
    if (!text.isEmpty() && text.at(0).unicode() < 0x80) {
        const QChar c = text.at(0);
        if (c.isLetterOrNumber())
            return c.toUpper().unicode();
        if (const UINT punctuation = KeyOfPunctuation(c.unicode()))
            return punctuation;
        return c.unicode();
    }
    return 0;
}

int QtKeyFromVirtualKey(UINT vk)
{
    for (const KeyRun& run : kRuns)
        if (vk >= run.firstVk && vk <= run.lastVk)
            return run.firstQt + static_cast<int>(vk - run.firstVk);
    for (const KeyPair& pair : kKeys)
        if (pair.vk == vk)
            return pair.qt;
    return Qt::Key_unknown;
}

int QtKeyOfCharacter(QChar c)
{
    if (c.unicode() < 0x80 && c.isLetterOrNumber())
        return QtKeyFromVirtualKey(c.toUpper().unicode());
    if (c == u'\n')
        c = u'\r';
    for (const KeyPair& pair : kKeys)
        if (pair.text && pair.text == c.unicode())
            return pair.qt;
    // Qt numbers the other printable ASCII keys by their character.
    return (c.unicode() > 0x20 && c.unicode() < 0x7F) ? static_cast<int>(c.unicode()) : int(Qt::Key_unknown);
}

QString TextOfVirtualKey(UINT vk)
{
    for (const KeyPair& pair : kKeys)
        if (pair.vk == vk)
            return pair.text ? QString(QChar(pair.text)) : QString();
    return QString();
}

bool VirtualKeyTypes(UINT vk)
{
    return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || !TextOfVirtualKey(vk).isEmpty();
}

}  // namespace platform
