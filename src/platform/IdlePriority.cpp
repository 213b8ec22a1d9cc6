#include "platform/IdlePriority.h"

#include <gst/gst.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {
namespace {

// <linux/ioprio.h> is not in every libc's headers.
constexpr int kIoprioWhoProcess = 1;
constexpr int kIoprioClassBestEffort = 2;
constexpr int kIoprioLowest = 7;
constexpr int kIoprioClassShift = 13;

struct Job {
    GstTaskPoolFunction function;
    gpointer data;
};

gpointer runJob(gpointer data)
{
    lowerThisThreadsPriority();
    const auto *job = static_cast<Job *>(data);
    job->function(job->data);
    delete job;
    return nullptr;
}

gpointer pushJob(GstTaskPool *, GstTaskPoolFunction function, gpointer data, GError **error)
{
    auto *job = new Job{function, data};
    GThread *thread = g_thread_try_new("lyra-idle", runJob, job, error);
    if (!thread) {
        delete job;
    }
    return thread;
}

void joinJob(GstTaskPool *, gpointer id)
{
    g_thread_join(static_cast<GThread *>(id));
}

// Nothing to make or free: each job brings its own thread.
void prepareNothing(GstTaskPool *, GError **) {}
void cleanupNothing(GstTaskPool *) {}

struct IdleTaskPool {
    GstTaskPool parent;
};
struct IdleTaskPoolClass {
    GstTaskPoolClass parent;
};

G_DEFINE_TYPE(IdleTaskPool, lyra_idle_task_pool, GST_TYPE_TASK_POOL)

void lyra_idle_task_pool_class_init(IdleTaskPoolClass *type)
{
    GstTaskPoolClass *pool = GST_TASK_POOL_CLASS(type);
    pool->prepare = prepareNothing;
    pool->cleanup = cleanupNothing;
    pool->push = pushJob;
    pool->join = joinJob;
}

void lyra_idle_task_pool_init(IdleTaskPool *) {}

} // namespace

void lowerThisThreadsPriority()
{
    // The lowest share rather than the idle class: a machine that is never idle
    // still measures, slowly.
    const auto self = pid_t(::syscall(SYS_gettid));
    ::setpriority(PRIO_PROCESS, id_t(self), 19);
    ::syscall(SYS_ioprio_set, kIoprioWhoProcess, 0,
              (kIoprioClassBestEffort << kIoprioClassShift) | kIoprioLowest);
}

GstTaskPool *idleTaskPool()
{
    static GstTaskPool *const pool =
        GST_TASK_POOL(gst_object_ref_sink(g_object_new(lyra_idle_task_pool_get_type(), nullptr)));
    return pool;
}

} // namespace platform
