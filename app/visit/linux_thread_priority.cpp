#include "app/visit/linux_thread_priority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

void RunThisThreadAtIdlePriority()
{
    const sched_param param{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &param);
}

void RunThisThreadBelowNormal()
{
    // On Linux a nice value belongs to the calling thread when given its thread id.
    const int nProcessNice = getpriority(PRIO_PROCESS, 0);
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), nProcessNice + 1);
}
