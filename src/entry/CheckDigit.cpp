#include "CheckDigit.h"

namespace lgbatch {

namespace {

int digitRoot(int value)
{
    while (value >= 10) {
        int sum = 0;
        for (; value > 0; value /= 10)
            sum += value % 10;
        value = sum;
    }
    return value;
}

} // namespace

void CheckDigit::InitCheckDigitWeights()
{
    static constexpr char scheme1[] = "12345678912345";
    static constexpr char scheme2[] = "87574483671484";
    for (int i = 0; i < 14; ++i) {
        m_weights1[i] = qint16(scheme1[i] - '0');
        m_weights2[i] = qint16(scheme2[i] - '0');
    }
    m_initialised = true;
}

bool CheckDigit::VerifyCheckDigit(const QString &account) const
{
    Q_ASSERT(m_initialised);
    if (account.size() != 15)
        return false;
    for (QChar c : account) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    int s1 = 0;
    int s2 = 0;
    for (int i = 0; i < 14; ++i) {
        const int d = account[i].digitValue();
        s1 += m_weights1[i] * d;
        s2 += m_weights2[i] * d;
    }
    const int r1 = s1 % 10;
    const int c1 = r1 == 0 ? 0 : 10 - r1;
    const int r2 = digitRoot(s2);
    const int c2 = r2 == 0 ? 0 : 10 - r2;
    const int last = account[14].digitValue();
    return last == c1 || last == c2;
}

} // namespace lgbatch
