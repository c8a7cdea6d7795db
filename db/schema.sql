-- Schema of the demo ERP database: the bill-of-materials tables the query
-- tool reads. Both the demo database and the synthetic benchmark databases
-- are built from this file. Text columns are declared with the sizes the
-- production database uses; SQLite does not enforce them.

-- Inventory classes: a tree of codes, two digits per level; binvCEnd = 1
-- marks a leaf class, the only classes items are filed under.
CREATE TABLE InventoryClass (
  cInvCCode  NVARCHAR(12)  NOT NULL PRIMARY KEY,
  cInvCName  NVARCHAR(100) NOT NULL,
  iInvCGrade INTEGER       NOT NULL,
  binvCEnd   INTEGER       NOT NULL
);

CREATE TABLE ComputationUnit (
  cComunitCode NVARCHAR(10) NOT NULL PRIMARY KEY,
  cComUnitName NVARCHAR(20) NOT NULL
);

CREATE TABLE Department (
  cDepCode NVARCHAR(12) NOT NULL PRIMARY KEY,
  cDepName NVARCHAR(20) NOT NULL
);

-- Items: code, name, model and auxiliary code.
CREATE TABLE inventory (
  cInvCode     NVARCHAR(20) NOT NULL PRIMARY KEY,
  cInvAddCode  NVARCHAR(30),
  cInvName     NVARCHAR(60) NOT NULL,
  cInvStd      NVARCHAR(60),
  cInvCCode    NVARCHAR(12) NOT NULL REFERENCES InventoryClass (cInvCCode),
  cComUnitCode NVARCHAR(10) NOT NULL REFERENCES ComputationUnit (cComunitCode)
);
CREATE INDEX ix_inventory_cInvCCode ON inventory (cInvCCode);

-- Parts: an item as it takes part in BOMs, with its free items (colour,
-- grade and the like).
CREATE TABLE bas_part (
  PartId  INTEGER      NOT NULL PRIMARY KEY,
  InvCode NVARCHAR(20) NOT NULL REFERENCES inventory (cInvCode),
  Free1   NVARCHAR(20),
  Free2   NVARCHAR(20),
  Free3   NVARCHAR(20),
  Free4   NVARCHAR(20),
  Free5   NVARCHAR(20),
  Free6   NVARCHAR(20),
  Free7   NVARCHAR(20),
  Free8   NVARCHAR(20),
  Free9   NVARCHAR(20),
  Free10  NVARCHAR(20)
);
CREATE INDEX ix_bas_part_InvCode ON bas_part (InvCode);

-- BOM headers. BomType: 1 main BOM, 2 alternative BOM. Status: 1 new,
-- 3 approved, 4 stopped. An alternative BOM carries its identifier code and
-- description.
CREATE TABLE bom_bom (
  BomId          INTEGER      NOT NULL PRIMARY KEY,
  BomType        INTEGER      NOT NULL,
  Version        INTEGER      NOT NULL,
  VersionDesc    NVARCHAR(60),
  VersionEffDate DATETIME     NOT NULL,
  VersionEndDate DATETIME     NOT NULL,
  IdentCode      NVARCHAR(20),
  IdentDesc      NVARCHAR(60),
  Status         INTEGER      NOT NULL,
  CreateUser     NVARCHAR(20),
  CreateDate     DATETIME
);

-- The part each BOM makes.
CREATE TABLE bom_parent (
  BomId    INTEGER NOT NULL PRIMARY KEY REFERENCES bom_bom (BomId),
  ParentId INTEGER NOT NULL REFERENCES bas_part (PartId)
);
CREATE INDEX ix_bom_parent_ParentId ON bom_parent (ParentId);

-- Components of a BOM: BaseQtyN / BaseQtyD of the component per unit of the
-- parent; FVFlag 1 = quantity varies with the parent quantity, 0 = fixed.
CREATE TABLE bom_opcomponent (
  OpComponentId INTEGER       NOT NULL PRIMARY KEY,
  BomId         INTEGER       NOT NULL REFERENCES bom_bom (BomId),
  SortSeq       INTEGER       NOT NULL,
  ComponentId   INTEGER       NOT NULL REFERENCES bas_part (PartId),
  BaseQtyN      DECIMAL(28,6) NOT NULL,
  BaseQtyD      DECIMAL(28,6) NOT NULL DEFAULT 1,
  AuxBaseQtyN   DECIMAL(28,6),
  ByproductFlag INTEGER       NOT NULL DEFAULT 0,
  FVFlag        INTEGER       NOT NULL DEFAULT 1,
  cDepCode      NVARCHAR(12)  REFERENCES Department (cDepCode),
  WhCode        NVARCHAR(10),
  Remark        NVARCHAR(60)
);
CREATE INDEX ix_bom_opcomponent_BomId ON bom_opcomponent (BomId, SortSeq);

-- BOM headers with the item code of the part they make.
CREATE VIEW v_bom_parent_rpt AS
SELECT p.BomId, p.ParentId, part.InvCode
FROM bom_parent p
JOIN bas_part part ON part.PartId = p.ParentId;

-- Stored procedures: the statement run for "exec <name> <arg>,<arg>,...",
-- the arguments bound to its parameters ?1, ?2, ...
CREATE TABLE sys_procedures (
  name       NVARCHAR(128) NOT NULL PRIMARY KEY COLLATE NOCASE,
  definition TEXT          NOT NULL
);
