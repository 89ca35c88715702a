#pragma once

#include "Screen.h"
#include "WizardQueries.h"

#include <QMap>
#include <QStringList>
#include <QVariantList>

namespace tvs {

// Step 1 of the registration wizard: car or truck, the number plate and its
// lookup, and the chain of choices that fixes the car's identity (maker, model,
// detail models or truck forms, model year, fuel, first registration date,
// gearbox). Each choice writes a code into a slot of `inputPick`; the next button
// checks the slots in order, stores them in the wizard's state and opens step 2.
class EnterCarController : public Screen
{
    Q_OBJECT
    Q_PROPERTY(bool isCarType READ truckChosen NOTIFY carTypeChanged)
    Q_PROPERTY(double viewConst READ viewConst NOTIFY carTypeChanged)
    Q_PROPERTY(QString editCarNum MEMBER editCarNum NOTIFY carNumberChanged)
    // Button titles and whether each shows a choice (dark) or its placeholder
    // (light), by tag - 1 for the tags 1 to 12.
    Q_PROPERTY(QStringList titles READ titles NOTIFY choicesChanged)
    Q_PROPERTY(QVariantList chosen READ chosen NOTIFY choicesChanged)
    Q_PROPERTY(bool searchLoading READ searchLoading NOTIFY searchLoadingChanged)
    Q_PROPERTY(bool editing READ editing CONSTANT)

public:
    // The choice buttons' tags, dispatched by import_p1_btns.
    enum Tag {
        Company = 1,
        Model,
        DetailModel1,
        DetailModel2,
        DetailModel3,
        Year,
        Fuel,
        FirstDay,
        Transmission,
        FormModel1,
        FormModel2,
        FormModel3,
        Next = 99,
    };
    Q_ENUM(Tag)

    // The slots of inputPick.
    enum Slot {
        MakerSlot = 0,
        ModelSlot = 1,
        Detail1Slot = 2,
        Detail2Slot = 3, // a truck's first form
        Detail3Slot = 4, // a truck's second form
        YearSlot = 5,
        FuelSlot = 6,
        FirstDaySlot = 7,
        GearSlot = 8,
        Form3Slot = 9,
    };
    static const QString kEmptySlot; // "no"

    explicit EnterCarController(ScreenContext *context, QObject *parent = nullptr);

    // Fields the system's documents name for this screen.
    QStringList inputPick;
    bool isCarType = false; // trucks chosen
    QString editCarNum;
    QMap<QString, QString> getSearchCarData; // the last lookup that found the car
    QString yStart, yEnd;                    // bounds of the model-year list; empty: 1980 to this year
    QString temp;                            // the first registration date while it is being chosen
    Records theCarDataList;                  // rows of the last server list

    void viewDidLoad() override;

    Q_INVOKABLE void actionCarTypeSelect() { chooseCarType(false); } // cars
    Q_INVOKABLE void actionCarTypeSelect2() { chooseCarType(true); } // trucks
    Q_INVOKABLE void actionCarSearch();
    Q_INVOKABLE void import_p1_btns(int tag);
    Q_INVOKABLE void dismissKeyboard() { emit keyboardDismissed(); }

    bool truckChosen() const { return isCarType; }
    double viewConst() const { return isCarType ? 0 : -80; }
    QStringList titles() const;
    QVariantList chosen() const;
    QString title(int tag) const { return m_titles.value(tag - 1); }
    bool isChosen(int tag) const { return m_chosen.value(tag - 1); }
    bool searchLoading() const { return m_searches > 0; }
    bool editing() const { return m_editing; }
    // "12" while cars are chosen, "3" while trucks are.
    QString importType() const;

signals:
    void carTypeChanged();
    void carNumberChanged();
    void choicesChanged();
    void searchLoadingChanged();
    // The body scrolls, animated, to `fraction` of how far it can scroll (0: the top).
    void scrollRequested(double fraction);
    void keyboardDismissed();

private:
    void chooseCarType(bool truck);
    void reset();
    void fetchStoredCar();
    // The stored car could not be fetched: without it an edit would send what
    // it does not know as empty, so the dealer tries again or leaves.
    void showLoadFailure(const QString &what);
    void startEditing();
    void showServerList(int tag);
    void showYears();
    void showFirstDay();
    void showFuels();
    void showTransmissions();
    void sendLookup(const QString &importType, const QString &plate, bool editFill);
    void fillFromLookup(bool editFill);
    void next();
    void setChoice(int tag, const QString &title);
    // Back to the placeholder, the slot empty.
    void clearChoice(int tag);
    // Clears the choices that depend on `tag` (another maker, another model: the
    // detail models below no longer belong).
    void clearAfter(int tag);
    // A new value for `tag` from a list or the lookup; what depended on an
    // earlier, different value is cleared.
    void choose(int tag, const QString &code, const QString &title);
    // Sets a choice from a code and its name, when the code is known.
    void seed(int tag, int slot, const QString &code, const QString &name);
    QStringList yearEntries() const;

    WizardQueries m_queries;
    LatestOnly m_latestList;
    LatestOnly m_latestLookup;
    QStringList m_titles;
    QList<bool> m_chosen;
    // The group name of the chosen maker ("국산차", "수입차", ...): where it came
    // from last (the record, the lookup, the maker list) decides car groups 1 and 2.
    QString m_makerGroup;
    int m_searches = 0;
    bool m_editing = false;
    // In edit mode: the stored car has arrived and the choices start from it.
    bool m_storedArrived = false;
};

} // namespace tvs
