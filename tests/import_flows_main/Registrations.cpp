// The products of this scenario, registered while the test program starts, as reader libraries'
// would be while they load: the flow readers under eight keys, the wizards of three importers
// (one that works, one that cannot be made, one that breaks on a stored data source) and the
// implementation of undoable inserts. Nothing is registered as a default, so a key nobody
// registered has no reader and no wizard.
#include "AbstractFileReaderFactory.h"
#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"
#include "FlowReaders.h"
#include "FlowWizards.h"
#include "QImportWizardFactory.h"
#include "RecordingInsertImplementation.h"

namespace quarro {
namespace test {
namespace {

template <class Spec>
using Reader =
    import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<Spec>>;
template <class Wizard>
using WizardFactory = import::ConcreteProductFactory<import::QImportWizardFactory, Wizard>;

Reader<NativeSpec> const s_native(NativeSpec::key);
Reader<ProjectSpec> const s_project(ProjectSpec::key);
Reader<LinesSpec> const s_lines(LinesSpec::key);
Reader<DrawingSpec> const s_drawing(DrawingSpec::key);
Reader<WellsSpec> const s_wells(WellsSpec::key);
Reader<TextSpec> const s_text(TextSpec::key);
Reader<RasterSpec> const s_raster(RasterSpec::key);
Reader<BrokenSpec> const s_broken(BrokenSpec::key);

WizardFactory<RegisteredWizard> const s_wells_wizard(WellsSpec::key);
WizardFactory<UnmakeableWizard> const s_drawing_wizard(DrawingSpec::key);
WizardFactory<BrokenWizard> const s_broken_wizard(BrokenSpec::key);

import::ConcreteProductFactory<import::AbstractInsertCommandImplementationFactory,
                               RecordingInsertImplementation> const
    s_insert("InsertCommandImplementation");

} // namespace
} // namespace test
} // namespace quarro
