#include "platform/system/runattime/PendingRequests.h"

#include "platform/store/Device.h"
#include "platform/store/SqlQuery.h"
#include "platform/store/Store.h"
#include "platform/store/StoreTransaction.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <cstdio>
#include <random>
#include <sys/random.h>
#include <sys/stat.h>

namespace platform {

namespace {

const char kCreateTable[] =
    "CREATE TABLE IF NOT EXISTS run_at_time("
    "path BLOB PRIMARY KEY, due INTEGER NOT NULL, id INTEGER NOT NULL, service INTEGER NOT NULL)"
    " WITHOUT ROWID";

RunAtTimeService ServiceFromColumn(std::int64_t value)
{
    switch (value) {
    case static_cast<int>(RunAtTimeService::Systemd):
        return RunAtTimeService::Systemd;
    case static_cast<int>(RunAtTimeService::Waiter):
        return RunAtTimeService::Waiter;
    default:
        return RunAtTimeService::None;
    }
}

RunAtTimeRequest RowAt(const SqlQuery& q)
{
    RunAtTimeRequest request;
    request.path.assign(reinterpret_cast<const char*>(q.Blob(0)), q.BlobSize(0));
    request.due = q.Int(1);
    request.id = static_cast<std::uint64_t>(q.Int(2));
    request.service = ServiceFromColumn(q.Int(3));
    return request;
}

}  // namespace

std::string RequestKey(const std::string& path)
{
    const QByteArray digest = QCryptographicHash::hash(QByteArrayView(path.data(), static_cast<qsizetype>(path.size())),
                                                       QCryptographicHash::Sha256);
    return digest.left(8).toHex().toStdString();
}

std::string RequestIdText(std::uint64_t id)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(id));
    return text;
}

std::uint64_t NewRequestId()
{
    std::uint64_t id = 0;
    while (id == 0) {
        if (getrandom(&id, sizeof id, 0) != static_cast<ssize_t>(sizeof id))
            id = std::random_device{}() | (static_cast<std::uint64_t>(std::random_device{}()) << 32);
    }
    return id;
}

std::optional<PendingRequests> PendingRequests::ForDevice(bool create)
{
    struct stat st {};
    if (!create && stat(StoreFilePath().c_str(), &st) != 0)
        return std::nullopt;
    std::shared_ptr<Store> store = Store::ForDevice();
    if (!store)
        return std::nullopt;
    return PendingRequests(std::move(store));
}

PendingRequests::PendingRequests(std::shared_ptr<Store> store) : m_store(std::move(store))
{
    m_ok = m_store && m_store->Exec(kCreateTable);
}

std::vector<RunAtTimeRequest> PendingRequests::All()
{
    std::vector<RunAtTimeRequest> requests;
    if (!m_ok)
        return requests;
    SqlQuery q(*m_store, "SELECT path, due, id, service FROM run_at_time ORDER BY path");
    while (q.Step())
        requests.push_back(RowAt(q));
    return requests;
}

std::optional<RunAtTimeRequest> PendingRequests::Find(const std::string& path)
{
    if (!m_ok)
        return std::nullopt;
    SqlQuery q(*m_store, "SELECT path, due, id, service FROM run_at_time WHERE path = ?1");
    q.Bind(1, path.data(), path.size());
    if (!q.Step())
        return std::nullopt;
    return RowAt(q);
}

bool PendingRequests::Put(const RunAtTimeRequest& request)
{
    if (!m_ok)
        return false;
    StoreTransaction txn(*m_store);
    SqlQuery q(*m_store, "INSERT OR REPLACE INTO run_at_time(path, due, id, service) VALUES(?1, ?2, ?3, ?4)");
    q.Bind(1, request.path.data(), request.path.size())
        .Bind(2, request.due)
        .Bind(3, static_cast<std::int64_t>(request.id))
        .Bind(4, static_cast<std::int64_t>(request.service));
    return txn.Ok() && q.Run() && txn.Commit();
}

bool PendingRequests::SetService(const RunAtTimeRequest& request, RunAtTimeService service)
{
    if (!m_ok)
        return false;
    StoreTransaction txn(*m_store);
    SqlQuery q(*m_store, "UPDATE run_at_time SET service = ?3 WHERE path = ?1 AND id = ?2");
    q.Bind(1, request.path.data(), request.path.size())
        .Bind(2, static_cast<std::int64_t>(request.id))
        .Bind(3, static_cast<std::int64_t>(service));
    return txn.Ok() && q.Run() && txn.Commit();
}

bool PendingRequests::Remove(const std::string& path)
{
    if (!m_ok)
        return false;
    StoreTransaction txn(*m_store);
    SqlQuery q(*m_store, "DELETE FROM run_at_time WHERE path = ?1");
    q.Bind(1, path.data(), path.size());
    return txn.Ok() && q.Run() && txn.Commit();
}

bool PendingRequests::RemoveIfCurrent(const std::string& path, std::uint64_t id)
{
    if (!m_ok)
        return false;
    StoreTransaction txn(*m_store);
    SqlQuery q(*m_store, "DELETE FROM run_at_time WHERE path = ?1 AND id = ?2");
    q.Bind(1, path.data(), path.size()).Bind(2, static_cast<std::int64_t>(id));
    return txn.Ok() && q.Run() && txn.Commit();
}

}  // namespace platform
