#include "stub/services/LangDefaults.h"

namespace stub {

const LangKeyDefault kLangKeyDefaults[] = {
    {"s0", "Drovel Installation Suite", nullptr},
    {"s1", "Extracting Files...", nullptr},
    {"s2", "Drovel will extract files to your Temp Drive (<DRIVE>)<P>", nullptr},
    {"s3", "Limited Free Space on your Temp Drive! (<DRIVE>)<P>", nullptr},
    {"s4", "<P>Estimated space required on your Temp drive is: <T>  <SPACE_REQ> MB<P>", nullptr},
    {"s5", "Free space available on your Temp drive is: <T>  <SPACE_AVAIL> MB<P>", nullptr},
    {"s6", "<P>Continue with Setup?<P>", nullptr},
    {"s7", "Bad CRC!<P>This indicates that your setup file might be corrupted...", nullptr},
    {"s8", "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue", nullptr},
    {"s10", "Downloading File...", nullptr},
    {"s11",
     "<b>INTERNET DOWNLOAD</b><p><p>Drovel will download the Setup File from the Internet...<p>"
     "Please make sure your Internet connection is properly set.<p><p>Continue with Setup?<p><P>"
     "Size: <SIZE> MB<P>",
     "<b>INTERNET DOWNLOAD</b><p><p>Drovel will download the Setup File from the Internet...<p>"
     "Please make sure your Internet connection is properly set.<p><p>Continue with Setup?<P><P>"
     "Size: <SIZE> MB<P>"},
    {"s12", "No valid Internet Connection.<p>Can not Download File!", nullptr},
    {"BtnText", "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|", nullptr},
    {"Error", "Error", nullptr},
    {"Attention", "Attention", nullptr},
    {"Confirm", "Confirm", nullptr},
    {"Charset", "0", nullptr},
    {"FontSize", "8", nullptr},
    {"FontName", "Tahoma", nullptr},
};
const int kLangKeyDefaultCount = static_cast<int>(sizeof kLangKeyDefaults / sizeof kLangKeyDefaults[0]);

std::string LangDefault(const std::string& key)
{
    for (const LangKeyDefault& d : kLangKeyDefaults)
        if (key == d.key)
            return d.text;
    return std::string();
}

std::string ShippedEnglishEntry()
{
    const char kDelimiter = '\x01';
    std::string entry = std::string(1, kDelimiter) + "English" + kDelimiter;
    for (const LangKeyDefault& d : kLangKeyDefaults)
        entry += std::string(d.key) + "=" + (d.shipped ? d.shipped : d.text) + kDelimiter;
    return entry;
}

} // namespace stub
