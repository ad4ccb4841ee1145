#pragma once

#include <QString>

#include <array>

namespace lgbatch {

// Own-bank account numbers: 15 digits whose last one is a check digit under either of two
// weighted schemes. The weights come from two digit strings, one weight per character.
class CheckDigit
{
public:
    // Fills the two weight tables; must run before the first VerifyCheckDigit.
    void InitCheckDigitWeights();
    bool initialised() const { return m_initialised; }

    // True for exactly 15 decimal digits whose 15th is valid under scheme 1 or scheme 2.
    bool VerifyCheckDigit(const QString &account) const;

    // The two ways callers accept an own-bank number: a payer account must carry a valid
    // check digit; a beneficiary may instead give a card number of exactly 16 characters.
    bool isOwnBankAccount(const QString &text) const { return VerifyCheckDigit(text); }
    bool isOwnBankAccountOrCard(const QString &text) const
    {
        return text.size() == 16 || VerifyCheckDigit(text);
    }

private:
    std::array<qint16, 14> m_weights1{};
    std::array<qint16, 14> m_weights2{};
    bool m_initialised = false;
};

} // namespace lgbatch
