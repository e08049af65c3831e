// Record pools: freed context and object records are kept for reuse (at most 1024 each) so
// that context and object churn does not touch the heap. Every pool operation holds one
// process-wide recursive mutex.
#pragma once

#include "gdi_compat/GDI_Types.h"

// A zero-filled record: the last pooled one, or a new one; null when memory cannot be had.
GDP_CTX* GDI_AllocCtxRecord();
GDP_OBJECT* GDI_AllocObjectRecord();

// Pushes the record onto its pool while the pool holds at most 1023 records, else frees it.
// Null does nothing. The caller has released what the record referred to.
void GDI_FreeCtxRecord(GDP_CTX* rec);
void GDI_FreeObjectRecord(GDP_OBJECT* rec);

// Records waiting in each pool.
int GDI_CtxPoolSize();
int GDI_ObjectPoolSize();
