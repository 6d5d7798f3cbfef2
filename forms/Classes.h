// The non-visual core of the class library in one include: objects, exceptions,
// persistent objects, components, collections, streams, string lists and events.
#pragma once

#include "forms/Collection.h"
#include "forms/Component.h"
#include "forms/Events.h"
#include "forms/Persistent.h"
#include "forms/Sets.h"
#include "forms/Streams.h"
#include "forms/StringList.h"
#include "forms/SysUtils.h"
