// Pasted and dropped text reaches the analyser and the line finders it uses unfiltered: any text
// must give fields without a crash or a hang.

#include "app/cardzap/zeltorcardzap.h"
#include "foundation/parsers/emailparser.h"
#include "foundation/parsers/phoneparser.h"
#include "foundation/parsers/urlparser.h"
#include "foundation/text/textconversion.h"
#include "fuzz/parserfuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    ZeltorCardzap::analyzeString(text, QStringLiteral("home"));
    zeltor::extractEmailAddress(text);
    zeltor::isListOfEmailAddresses(text);
    zeltor::extractPhoneNumber(text);
    zeltor::extractURL(text);
    zeltor::stringToDate(text);
    zeltor::stringToDecimal(text);
    zeltor::stringToDouble(text);
    return 0;
}
