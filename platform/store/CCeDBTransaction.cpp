#include "platform/store/CCeDBTransaction.h"

#include "platform/store/Store.h"
#include "platform/store/StoreTransaction.h"

#include <sqlite3.h>

#include <map>
#include <mutex>

struct CCeDBTransaction::State {
    bool lost = false;        // rolled back by SQLite or a vetoed commit
    bool doomed = false;      // a joined one gave up
    bool committing = false;  // the outermost's own COMMIT, the one let through
};

namespace {

std::mutex g_lock;
std::map<sqlite3*, std::shared_ptr<CCeDBTransaction::State>> g_outermost;

int VetoOtherCommits(void* state) { return static_cast<CCeDBTransaction::State*>(state)->committing ? 0 : 1; }

void NoteRollback(void* state) { static_cast<CCeDBTransaction::State*>(state)->lost = true; }

}  // namespace

CCeDBTransaction::CCeDBTransaction() : m_store(platform::Store::ForDevice())
{
    if (!m_store)
        return;
    m_txn = std::make_unique<platform::StoreTransaction>(*m_store);
    if (!m_txn->Ok()) {
        m_txn.reset();
        return;
    }
    std::lock_guard guard(g_lock);
    std::shared_ptr<State>& outermost = g_outermost[m_store->Handle()];
    if (outermost) {
        m_state = outermost;
        return;
    }
    m_state = outermost = std::make_shared<State>();
    m_bOutermost = true;
    sqlite3_commit_hook(m_store->Handle(), VetoOtherCommits, m_state.get());
    sqlite3_rollback_hook(m_store->Handle(), NoteRollback, m_state.get());
}

CCeDBTransaction::~CCeDBTransaction() { Rollback(); }

BOOL CCeDBTransaction::IsOpen() const
{
    return m_txn && !m_state->lost && !sqlite3_get_autocommit(m_store->Handle()) ? TRUE : FALSE;
}

BOOL CCeDBTransaction::Commit()
{
    if (!IsOpen() || m_state->doomed) {
        Rollback();
        return FALSE;
    }
    if (!m_bOutermost) {
        End();
        return TRUE;
    }
    m_state->committing = true;
    const bool committed = m_txn->Commit();
    m_state->committing = false;
    End();
    return committed ? TRUE : FALSE;
}

void CCeDBTransaction::Rollback()
{
    if (!m_txn)
        return;
    if (!m_bOutermost)
        m_state->doomed = true;
    End();
}

void CCeDBTransaction::End()
{
    m_txn.reset();  // rolls back what was not committed
    if (!m_bOutermost)
        return;
    sqlite3_commit_hook(m_store->Handle(), nullptr, nullptr);
    sqlite3_rollback_hook(m_store->Handle(), nullptr, nullptr);
    std::lock_guard guard(g_lock);
    g_outermost.erase(m_store->Handle());
    m_bOutermost = false;
}
