#pragma once

#include "Query.h"
#include "RequestAlerts.h"

#include <QMap>

#include <optional>

namespace tvs {

class JsonServiceCaller;

// What the car-number lookup answered.
struct LookupAnswer
{
    enum Outcome {
        Found,   // `car` holds the car data
        Refused, // `message` is the service's text for the dealer
        Failed,  // no usable answer (logged)
    };
    Outcome outcome = Failed;
    QString message;
    QMap<QString, QString> car;
    // Why a failed lookup failed, when the service was not reached or sent no whole
    // reply (an answer it sent but that cannot be used is only logged).
    std::optional<RequestFailure> failure;
};

// What the registration answered: the car's product code, or (without one) the
// service's text, when it gave any.
struct Registration
{
    QString productCode;
    QString message;
};

// The wizard's questions to the service: the model tree and truck forms of the
// choice lists, the registration (`ps_SetEnterCar3`), and on the JSON side
// services the car-number lookup and the registration hand-off. Answers reach
// `receiver`'s thread and never come once it is gone.
// What went wrong with a request that found no answer, in words for the dealer.
QString failureText(QueryStatus::Status status);

class WizardQueries
{
public:
    template <typename T> using Done = std::function<void(const QueryResult<T> &)>;

    WizardQueries(ProcedureCaller *procedures, JsonServiceCaller *json, QObject *receiver)
        : m_procedures(procedures), m_json(json), m_receiver(receiver)
    {
    }

    // Makers of an import type ("12" cars, "3" trucks).
    void makers(const QString &importType, Done<Records> done);
    // The models (level 2) or detail models (levels 3 and 4) under `upCode`.
    void models(const QString &upCode, int level, Done<Records> done);
    // The third detail models (trims) under a second detail model.
    void trims(const QString &upCode, Done<Records> done);
    // Truck forms: level 1 (no parent), 2 or 3 under `upCode`.
    void truckForms(int level, const QString &upCode, Done<Records> done);

    // The car `productCode` as the service stores it, among the cars the dealer's
    // shop holds: the car record's fields as the service sent them (the car list
    // shows the model year as "2019년식"; this is the stored year) and the
    // registration's fields the record lacks (dealer price, inspection period).
    // The value is empty when the shop holds no such car.
    void storedCar(const QString &userCode, const QString &productCode, Done<Record> done);

    // Registers a new car (empty product code) or updates one, from the wizard's
    // accumulator, the dealer's code and the options JSON.
    void registerCar(const QMap<QString, QString> &car, const QString &userCode, const QString &optionsJson,
                     Done<Registration> done);

    void lookup(const QString &importType, const QString &plate, const QString &userCode,
                std::function<void(const LookupAnswer &)> done);
    // Tells the second service of a new ("POST") or changed ("PUT") car. `done` gets
    // the service's text when it did not answer "성공" (failures are only logged);
    // it runs on `receiver`'s thread, which may outlive the screen that asked.
    void handOff(const QString &productCode, bool changed, const QString &userCode, QObject *receiver,
                 std::function<void(const QString &refusal)> done);

private:
    void list(const QString &name, const QString &callText, Done<Records> done);

    ProcedureCaller *m_procedures;
    JsonServiceCaller *m_json;
    QObject *m_receiver;
};

} // namespace tvs
