#pragma once

#include <QPointer>

// Keeps at most one card of a kind open: opening another closes the one
// that was open. A card class derives from OpenOne<itself> and calls
// takeOver(this) when built.
template<typename Card>
class OpenOne
{
public:
    static Card *current() { return slot(); }
    static void closeCurrent()
    {
        if (Card *card = slot())
            card->close();
    }

protected:
    static void takeOver(Card *card)
    {
        QPointer<Card> &open = slot();
        if (open && open != card)
            open->close();
        open = card;
    }

private:
    static QPointer<Card> &slot()
    {
        static QPointer<Card> open;
        return open;
    }
};
