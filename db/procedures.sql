-- Stored procedures of the demo database. The query tool sends
-- "exec <name> <arg>,<arg>,..."; the embedded engine looks the name up here
-- and runs the statement with the arguments bound to ?1, ?2, ... (quotes
-- inside a definition are doubled, as in any SQL string).

-- Pellamar_ExpandCompQty(BomId, ParentId, mode): the components of the BOM,
-- one row each. Mode 0 goes down to the last level: a component that has a
-- main BOM of its own (BomType 1, the latest version) is followed by its
-- components, and CQty1 is the quantity per unit of the top item, the
-- quantities multiplied down the chain. Any other mode gives one level.
-- A BOM already on the way down is not expanded again, so a BOM that
-- contains itself, directly or through others, ends the expansion instead
-- of looping. Rows come depth first, in each BOM's component order.
INSERT INTO sys_procedures (name, definition) VALUES ('Pellamar_ExpandCompQty', '
WITH RECURSIVE expansion (BomId, ParentId, OpComponentId, CompId, UseQty,
                          AuxUseQty, CQty1, BomPath, SortPath) AS (
  SELECT c.BomId, p.ParentId, c.OpComponentId, c.ComponentId,
         c.BaseQtyN * 1.0 / c.BaseQtyD,
         c.AuxBaseQtyN * 1.0 / c.BaseQtyD,
         c.BaseQtyN * 1.0 / c.BaseQtyD,
         ''/'' || c.BomId || ''/'',
         substr(10000 + c.SortSeq, 2)
  FROM bom_parent p
  JOIN bom_opcomponent c ON c.BomId = p.BomId
  WHERE p.BomId = ?1 AND p.ParentId = ?2
  UNION ALL
  SELECT c.BomId, p.ParentId, c.OpComponentId, c.ComponentId,
         c.BaseQtyN * 1.0 / c.BaseQtyD,
         c.AuxBaseQtyN * 1.0 / c.BaseQtyD,
         e.CQty1 * c.BaseQtyN / c.BaseQtyD,
         e.BomPath || c.BomId || ''/'',
         e.SortPath || substr(10000 + c.SortSeq, 2)
  FROM expansion e
  JOIN bom_parent p
    ON p.BomId = (SELECT m.BomId
                  FROM bom_parent m
                  JOIN bom_bom b ON b.BomId = m.BomId
                  WHERE m.ParentId = e.CompId AND b.BomType = 1
                  ORDER BY b.Version DESC, b.BomId
                  LIMIT 1)
  JOIN bom_opcomponent c ON c.BomId = p.BomId
  WHERE ?3 = 0 AND instr(e.BomPath, ''/'' || p.BomId || ''/'') = 0
)
SELECT e.BomId, e.ParentId, e.CompId, e.UseQty, c.ByproductFlag,
       c.cDepCode AS Dept, d.cDepName AS DepName, c.WhCode, e.AuxUseQty,
       i.cInvCode AS InvCode,
       part.Free1, part.Free2, part.Free3, part.Free4, part.Free5,
       part.Free6, part.Free7, part.Free8, part.Free9, part.Free10,
       e.CQty1, c.FVFlag AS FVQty,
       i.cInvAddCode, i.cInvName, i.cInvStd, u.cComUnitName
FROM expansion e
JOIN bom_opcomponent c ON c.OpComponentId = e.OpComponentId
JOIN bas_part part ON part.PartId = e.CompId
JOIN inventory i ON i.cInvCode = part.InvCode
LEFT JOIN ComputationUnit u ON u.cComunitCode = i.cComUnitCode
LEFT JOIN Department d ON d.cDepCode = c.cDepCode
ORDER BY e.SortPath
');
